#pragma once
// The "Site information" dialog (1100): the descriptive record of the
// installation, the loop measurements (the only values checked) and the
// panel's software version.

#include <QDialog>

class SiteInfoDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SiteInfoDialog(QWidget* owner);

  private:
    void Confirm();
};

// The Enter Site Info command's dialog, modal over the owner.
void RunSiteInfoDialog(QWidget* owner);

// Characters of a multi-line field as the panel counts them: a line break
// is two ("\r\n").
int StoredLength(const QString& text);
