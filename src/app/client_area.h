#pragma once
// The main window's client area: the background picture, stretched, and
// the red banner while the design check reports faults.

#include <QPixmap>
#include <QWidget>

class ClientArea : public QWidget {
    Q_OBJECT

  public:
    explicit ClientArea(QWidget* parent);

  signals:
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QPixmap background_;
};

inline constexpr char kBannerText[] = "Site File contains errors";
