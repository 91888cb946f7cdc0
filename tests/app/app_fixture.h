#pragma once
// A main window on a new site (store emptied, defaults filled) with a
// scripted UI service: answers and chosen files are queued by the test,
// every message and question is recorded.

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/ui_service.h"
#include "model/loaded_checksum.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct UiRecord {
    std::string kind; // "message", "ask", "save", "open", "url"
    std::string text; // message text, file filter or address
    std::string caption;
    MessageIcon icon = MessageIcon::kNone;
    std::string path; // the path the file dialog started from
    std::string suffix;
};

class ScriptedUi : public UiService {
  public:
    // Answers to questions, in order; none queued answers No.
    std::deque<bool> answers;
    // Files the dialogs choose, in order; none queued (or an empty one)
    // cancels.
    std::deque<std::string> files;
    std::vector<UiRecord> records;

    void Message(QWidget*, const std::string& text, const std::string& caption,
                 MessageIcon icon) override {
        records.push_back({"message", text, caption, icon, "", ""});
    }
    bool Ask(QWidget*, const std::string& text, const std::string& caption) override {
        records.push_back({"ask", text, caption, MessageIcon::kQuestion, "", ""});
        if (answers.empty())
            return false;
        bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    bool SaveFileDialog(QWidget*, std::string* path, const char* filter,
                        const char* suffix) override {
        return File("save", path, filter, suffix);
    }
    bool OpenFileDialog(QWidget*, std::string* path, const char* filter,
                        const char* suffix) override {
        return File("open", path, filter, suffix);
    }
    void OpenUrl(const std::string& url) override {
        records.push_back({"url", url, "", MessageIcon::kNone, "", ""});
    }

    // The texts of the messages and questions shown, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const UiRecord& r : records)
            if (r.kind == "message" || r.kind == "ask")
                texts.push_back(r.text);
        return texts;
    }
    const UiRecord* Last(const std::string& kind) const {
        for (auto it = records.rbegin(); it != records.rend(); ++it)
            if (it->kind == kind)
                return &*it;
        return nullptr;
    }

  private:
    bool File(const char* kind, std::string* path, const char* filter, const char* suffix) {
        records.push_back(
            {kind, filter ? filter : "", "", MessageIcon::kNone, *path, suffix ? suffix : ""});
        if (files.empty() || files.front().empty()) {
            if (!files.empty())
                files.pop_front();
            return false;
        }
        *path = files.front();
        files.pop_front();
        return true;
    }
};

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App() = AppState();
        ResetSite();
        SetUiService(&ui_);
        window_ = new MainWindow;
        window_->resize(1000, 700);
    }

    void TearDown() override {
        delete window_;
        SetUiService(nullptr);
        App() = AppState();
    }

    // The site store emptied and filled with the defaults of a new site.
    static void ResetSite() {
        SettingsStore* site = StoreSelect(nullptr);
        StoreFree(site);
        StoreInit(site);
        FillSiteDefaults();
    }

    // Runs action while a modal dialog opens; inspect gets the dialog. Then
    // the dialog is accepted, or, when the inspection closes it with its own
    // buttons (acceptAfter false), rejected only if still open, so a failed
    // inspection never hangs the test.
    static void WithModal(const std::function<void()>& action,
                          const std::function<void(QDialog*)>& inspect, bool acceptAfter = true) {
        bool seen = false;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                timer.stop();
                seen = true;
                inspect(dialog);
                if (acceptAfter)
                    dialog->accept();
                else if (dialog->isVisible())
                    dialog->reject();
            }
        });
        timer.start();
        action();
        timer.stop();
        EXPECT_TRUE(seen) << "no modal dialog opened";
    }

  public:
    static std::string ReadFile(const std::string& path) {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll().toStdString();
    }

  protected:
    // A path in the test's own folder.
    std::string Path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    static void WriteFile(const std::string& path, const std::string& contents) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents.data(), qint64(contents.size()));
    }

    QTemporaryDir dir_;
    ScriptedUi ui_;
    MainWindow* window_ = nullptr;
};
