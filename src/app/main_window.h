#pragma once
// The one main window: menu, client area with the background or the one
// open view (and the matrix editor's bar), the status bar.

#include "app/app_state.h"

#include <QMainWindow>
#include <QString>

class ClientArea;
class QLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void Dispatch(int commandId); // menu command IDs (105, 6001..6036)
    void CloseCurrentEditor(EditorKind kind);
    // Runs the design check silently; repaints when the count changed.
    bool RecheckDesign();
    void UpdateMainTitle();
    // The common steps of opening a view: CloseCurrentEditor, create the
    // grid (failure: message with caption "Err!"), set the kind, SetSize,
    // and lay it out. Returns nullptr on failure. The caller fills it and
    // sends its own settings, then calls ShowView().
    GridWidget* BeginView(const char* title, int controlId, EditorKind kind, int rows, int columns,
                          const char* failureMessage);
    void ShowView();                 // show, update, relayout
    void SetEditorBar(QWidget* bar); // the matrix bar; relayout
    void Relayout();
    // Closes the bar and the view without writing the grid back (Load,
    // Import text: the store was replaced or merged under it).
    void DropCurrentView();
    // Writes the open device or text editor's typed values into the store
    // and leaves it open.
    void CommitCurrentEditor();

    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The area above the status bar where the views live.
    QWidget* Client() const;
    // A second copy asked for this window.
    void ShowFirstCopy();

  public slots:
    void OnGridNotification(int controlId, int code, quint32 param);

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildMenu();
    void DestroyEditor();

    ClientArea* client_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

// The window title: the application title with "[site name]" (first 90
// characters) or " - No site name!".
QString MainTitle(const std::string& appTitle, const char* siteName);

// The status bar help text of a menu command ("" for none).
const char* MenuHelpText(int commandId);
