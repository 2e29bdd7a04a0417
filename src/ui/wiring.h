#pragma once

#include "core/pos.h"

#include <QObject>
#include <QWidget>

namespace ui {

// Connects a signal to a handler that runs inside guard().
template <class Sender, class Signal, class Handler>
void on(core::Pos& pos, Sender* sender, Signal signal, Handler handler) {
    QObject::connect(sender, signal, sender, [&pos, handler] { core::guard(pos, handler); });
}

// Runs a handler when the focus leaves a control for another control of the same window
// (the control's exit handler); switching windows is not leaving the control.
void onExit(core::Pos& pos, QWidget* control, std::function<void()> handler);

// Runs a handler when a window is closed (its FormClose).
void onClose(core::Pos& pos, QWidget* window, std::function<void()> handler);

// Runs a handler on a mouse click (button released inside) on a control without a signal.
void onClick(core::Pos& pos, QWidget* control, std::function<void()> handler);

// Runs a handler for every key pressed in a control, before the control takes it.
void onKeyPress(core::Pos& pos, QWidget* control,
                std::function<void(int key, const QString& text)> handler);

// Runs a handler on a double click on a control (on an editable combo box's text too).
void onDoubleClick(core::Pos& pos, QWidget* control, std::function<void()> handler);

} // namespace ui
