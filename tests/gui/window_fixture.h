#pragma once

#include "model/app/Downloaddemo_U.h"
#include "download/moniker_layer.h"
#include "gui/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A shown main window over a form whose folders are temporary; errors are recorded, not boxed.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        FormOptions options;
        options.download_folder = dir_.filePath("pages").toStdString();
        options.debug_file = dir_.filePath("_tmp.htm").toStdString();
        options.timer_interval_ms = 60000;  // the tests tick the status timer themselves
        form_ = std::make_unique<TForm1>(layer_, options);
        window_ = std::make_unique<MainWindow>(*form_);
        window_->error_box().set_presenter([this](QWidget* parent, const QString& text) {
            errors_.push_back(text.toStdString());
            error_parents_.push_back(parent);
        });
        window_->show();
        QApplication::processEvents();
    }

    template <typename T>
    T* find(const char* name) {
        return window_->findChild<T*>(QString::fromUtf8(name));
    }

    QTemporaryDir dir_;
    MonikerLayer layer_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<MainWindow> window_;
    std::vector<std::string> errors_;
    std::vector<QWidget*> error_parents_;
};

// Sends what a key press with that text (or that key without text) delivers.
inline void press_key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

inline void type_char(QWidget* target, QChar c) { press_key(target, c.toUpper().unicode(), QString(c)); }

inline void send_mouse(QWidget* target, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void click(QWidget* target, QPoint at) {
    send_mouse(target, QEvent::MouseButtonPress, at);
    send_mouse(target, QEvent::MouseButtonRelease, at);
}
