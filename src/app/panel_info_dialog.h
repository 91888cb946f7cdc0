#pragma once
// The "Panel information" dialog (1210): every panel option that is not a
// per-device, per-zone or matrix setting. Each control shows one setting;
// OK writes them back in a fixed order. Timings are shown on buttons that
// open a small value dialog, which writes its setting at once.

#include <QDialog>

class PanelInfoDialog : public QDialog {
    Q_OBJECT

  public:
    // Fills every control from the site store (creating "MaxLoggedDev" as
    // "192" when absent) and applies the enabling rules.
    explicit PanelInfoDialog(QWidget* owner);

  private:
    void Build();
    void Fill();
    void Confirm();
    bool CodesComplete();
    void PressValueButton(int index);
    void ShowValueButton(int index);
    void FilterCode(int id);
    void ApplyBeacon();
    void ApplyDayNight();
    void ApplyRemoteAlarm();
    void ApplyFbp();
    void ChooseSounds(int id);

    bool group30Used_ = false, group31Used_ = false;
};

// The Panel info command's dialog, modal over the owner.
void RunPanelInfoDialog(QWidget* owner);
