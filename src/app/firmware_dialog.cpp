#include "app/firmware_dialog.h"

#include "app/app_state.h"
#include "app/desktop_job_ui.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/ui_service.h"
#include "app/worker.h"
#include "codec/hex_file.h"
#include "jobs/firmware_job.h"
#include "jobs/panel_access.h"
#include "model/settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <new>

namespace {

constexpr char kUnknown[] = "Unknown";

QLineEdit* Field(QDialog* dialog, const char* id, int x, int y, int width) {
    auto* field = new QLineEdit(dialog);
    field->setObjectName(id);
    field->setReadOnly(true);
    field->setGeometry(DialogUnitRect(dialog, x, y, width, 12));
    return field;
}

void Label(QDialog* dialog, const char* text, int x, int y, int width) {
    auto* label = new QLabel(text, dialog);
    label->setGeometry(DialogUnitRect(dialog, x, y, width, 10));
}

QPushButton* Button(QDialog* dialog, const char* id, const char* text, int x, int y, int width,
                    int height) {
    auto* button = new QPushButton(text, dialog);
    button->setObjectName(id);
    button->setAutoDefault(false);
    button->setGeometry(DialogUnitRect(dialog, x, y, width, height));
    return button;
}

} // namespace

FirmwareDialog::FirmwareDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("1630");
    setWindowTitle("Change panel firmware");
    auto* group = new QGroupBox("Firmware file information", this);
    group->setGeometry(DialogUnitRect(this, 3, 3, 201, 75));
    Label(this, "Firmware file", 12, 18 - 1, 80);
    Label(this, "Firmware file version", 12, 33 - 1, 80);
    Label(this, "Firmware type", 12, 48 - 1, 80);
    Label(this, "Current panel firmware version", 6, 84 - 1, 116);
    fileNameField_ = Field(this, "1633", 93, 15, 99);
    fileVersionField_ = Field(this, "1632", 93, 30, 99);
    fileTypeField_ = Field(this, "1637", 93, 45, 99);
    QPushButton* select = Button(this, "1634", "Select new file", 72, 63, 57, 12);
    panelVersionField_ = Field(this, "1631", 123, 81, 69);
    write_ = Button(this, "1635", "Write", 3, 99, 45, 15);
    write_->setEnabled(false);
    QPushButton* cancel = Button(this, "1636", "Cancel", 156, 99, 45, 15);
    setFixedSize(DialogUnitRect(this, 0, 0, 207, 117).size());
    connect(select, &QPushButton::clicked, this, &FirmwareDialog::SelectFile);
    connect(write_, &QPushButton::clicked, this, &FirmwareDialog::Write);
    connect(cancel, &QPushButton::clicked, this, &FirmwareDialog::reject);
    select->setFocus();
}

bool FirmwareDialog::ReadPanelVersion() {
    fileVersion_ = 0;
    panelVersion_ = 0;
    // Its own hold on the panel, given back before the job takes one.
    DesktopJobUi ui;
    PanelJobScope scope(App().panel, ui);
    if (!scope.Ready())
        return false;
    char raw[kFirmwareVersionChars + 1] = {};
    if (!ReadFirmwareVersion(scope.Session(), raw))
        return false;
    image_.reset();
    path_.clear();
    panelVersion_ = FirmwareVersionNumber(raw);
    const char* shown = SettingGet("FirmwareVersion");
    panelVersionField_->setText(QString::fromLatin1(shown ? shown : ""));
    return true;
}

void FirmwareDialog::ShowUnknown() {
    fileTypeField_->setText(kUnknown);
    fileVersionField_->setText(kUnknown);
}

void FirmwareDialog::SelectFile() {
    std::string path = path_.empty() ? "*.hex" : path_;
    if (!Ui().OpenFileDialog(this, &path, "Firmware,*.hex", "hex"))
        return;
    path_ = path;
    write_->setEnabled(false);
    image_.reset();
    fileNameField_->setText(QFileInfo(QFile::decodeName(path.c_str())).fileName());
    std::shared_ptr<unsigned char[]> image(new (std::nothrow) unsigned char[kFirmwareImageSize]);
    if (!image)
        return;
    // A file that cannot be read shows no type or version: what the
    // previous file showed must not stand next to this file's name.
    if (!ReadHexFile(path.c_str(), image.get(), kFirmwareImageSize)) {
        ShowUnknown();
        return;
    }
    const std::string typeName = FirmwareImageTypeName(image.get(), kFirmwareImageSize);
    if (!FirmwareTypeKnown(typeName)) {
        ShowUnknown();
        return;
    }
    char raw[kFirmwareVersionChars + 1];
    FirmwareImageVersion(image.get(), kFirmwareImageSize, raw);
    fileTypeField_->setText(QString::fromStdString(FirmwareType(typeName)));
    fileVersionField_->setText(QString::fromLatin1(FirmwareVersionText(raw).c_str()));
    fileVersion_ = FirmwareVersionNumber(raw);
    image_ = std::move(image);
    write_->setEnabled(true);
}

void FirmwareDialog::Write() {
    if (!image_)
        return;
    if (FirmwareIsDowngrade(fileVersion_, panelVersion_) &&
        !Ui().Ask(this, kFirmwareDowngradeText, kFirmwareDowngradeCaption))
        return;
    ProgressWindow progress(this);
    std::shared_ptr<unsigned char[]> image = image_;
    const bool started = PanelWorker::Start(
        [image](PanelSession& session) { FirmwareJob(session, image.get(), kFirmwareImageSize); },
        nullptr);
    if (!started)
        return;
    // The image now belongs to the job, which lets it go when it ends.
    image_.reset();
    write_->setEnabled(false);
    progress.Run();
    reject();
}

void FirmwareDialog::reject() {
    image_.reset();
    QDialog::reject();
}
