#pragma once
// Drives the modal dialogs that a press opens: the step runs once the dialog
// shows and must close it (by its own buttons, so the dialog's result is the
// one a person would get).

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

inline void WhenModal(const std::function<void()>& action,
                      const std::function<void(QDialog*)>& step) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        timer.stop();
        step(dialog);
    });
    timer.start();
    action();
    timer.stop();
    EXPECT_TRUE(seen) << "no modal dialog opened";
}

template <typename W> W* Control(QWidget* parent, int id) {
    W* widget = parent->findChild<W*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
}

inline void Press(QWidget* parent, int id) {
    if (auto* button = Control<QPushButton>(parent, id))
        button->click();
}
