#pragma once
// "Change panel firmware" (dialog 1630): the panel's firmware version, a
// firmware file chosen and shown, and its writing by the firmware job under
// a progress window owned by this dialog.

#include <QDialog>

#include <cstdint>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;

class FirmwareDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FirmwareDialog(QWidget* owner);

    // Reads the panel's firmware version (the user has been told when it
    // could not be read: then the dialog must not open). The panel is free
    // again when this returns, for the job to take.
    bool ReadPanelVersion();

    void SelectFile();
    void Write();
    // The close request (Cancel, the close box, Esc): the image goes.
    void reject() override;

  private:
    void ShowUnknown();

    QLineEdit* fileNameField_ = nullptr;     // 1633
    QLineEdit* fileVersionField_ = nullptr;  // 1632
    QLineEdit* fileTypeField_ = nullptr;     // 1637
    QLineEdit* panelVersionField_ = nullptr; // 1631
    QPushButton* write_ = nullptr;           // 1635

    std::shared_ptr<unsigned char[]> image_;
    std::string path_; // kept between selections while the dialog is open
    uint32_t fileVersion_ = 0;
    uint32_t panelVersion_ = 0;
};
