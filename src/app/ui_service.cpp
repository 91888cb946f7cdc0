#include "app/ui_service.h"

#include "app/file_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

QString BoxText(const std::string& text) {
    QString out = QString::fromLatin1(text.c_str());
    out.replace("\r\n", "\n");
    return out;
}

QWidget* OwnerOr(QWidget* owner) {
    return owner ? owner : QApplication::activeWindow();
}

// A path the dialog may start from: "*.txt" style presets pick the filter
// that matches them and leave the name empty.
void Prepare(QFileDialog& dialog, const std::string& path, const QStringList& filters) {
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    const QString start = QString::fromLocal8Bit(path.c_str());
    if (start.startsWith("*.")) {
        for (const QString& f : filters)
            if (f.contains("(" + start + ")")) {
                dialog.selectNameFilter(f);
                break;
            }
        return;
    }
    if (start.isEmpty())
        return;
    QFileInfo info(start);
    if (info.isDir()) {
        dialog.setDirectory(start);
        return;
    }
    if (info.dir().exists())
        dialog.setDirectory(info.dir());
    dialog.selectFile(info.fileName());
}

bool Run(QFileDialog& dialog, std::string* path) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    *path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    return true;
}

class QtUiService : public UiService {
  public:
    void Message(QWidget* owner, const std::string& text, const std::string& caption,
                 MessageIcon icon) override {
        QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
        switch (icon) {
        case MessageIcon::kStop:
            qtIcon = QMessageBox::Critical;
            break;
        case MessageIcon::kQuestion:
            qtIcon = QMessageBox::Question;
            break;
        case MessageIcon::kInformation:
            qtIcon = QMessageBox::Information;
            break;
        case MessageIcon::kNone:
            break;
        }
        QMessageBox box(qtIcon, QString::fromLatin1(caption.c_str()), BoxText(text),
                        QMessageBox::Ok, OwnerOr(owner));
        box.exec();
    }

    bool Ask(QWidget* owner, const std::string& text, const std::string& caption) override {
        QMessageBox box(QMessageBox::Question, QString::fromLatin1(caption.c_str()), BoxText(text),
                        QMessageBox::NoButton, OwnerOr(owner));
        QPushButton* yes = box.addButton("&Yes", QMessageBox::YesRole);
        QPushButton* no = box.addButton("&No", QMessageBox::NoRole);
        yes->setObjectName("6");
        no->setObjectName("7");
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }

    bool SaveFileDialog(QWidget* owner, std::string* path, const char* filterPairs,
                        const char* defaultSuffix) override {
        QFileDialog dialog(OwnerOr(owner), "Save file");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The commands ask themselves where replacing a file needs a question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (defaultSuffix && *defaultSuffix)
            dialog.setDefaultSuffix(defaultSuffix);
        Prepare(dialog, *path, NameFilters(filterPairs));
        return Run(dialog, path);
    }

    bool OpenFileDialog(QWidget* owner, std::string* path, const char* filterPairs,
                        const char* defaultSuffix) override {
        QFileDialog dialog(OwnerOr(owner), "Open file");
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (defaultSuffix && *defaultSuffix)
            dialog.setDefaultSuffix(defaultSuffix);
        Prepare(dialog, *path, NameFilters(filterPairs));
        return Run(dialog, path);
    }

    void OpenUrl(const std::string& url) override {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    }
};

UiService* g_service = nullptr;

} // namespace

UiService& Ui() {
    static QtUiService real;
    return g_service ? *g_service : real;
}

void SetUiService(UiService* service) {
    g_service = service;
}
