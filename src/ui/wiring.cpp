#include "ui/wiring.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <memory>

namespace ui {
namespace {

// Calls back on one kind of event of a control (and of an editable combo box's text field).
class EventWatcher : public QObject {
public:
    EventWatcher(QWidget* control, QEvent::Type type, std::function<void(QEvent*)> handler)
        : QObject(control), m_type(type), m_handler(std::move(handler)) {
        control->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == m_type) m_handler(e);
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(QEvent*)> m_handler;
};

} // namespace

void onClose(core::Pos& pos, QWidget* window, std::function<void()> handler) {
    new EventWatcher(window, QEvent::Close,
                     [&pos, handler](QEvent*) { core::guard(pos, handler); });
}

void onExit(core::Pos& pos, QWidget* control, std::function<void()> handler) {
    new EventWatcher(control, QEvent::FocusOut, [&pos, handler](QEvent* e) {
        auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
        core::guard(pos, handler);
        // When the handler showed a box, the press that moved the focus is spent: the button
        // it went down on comes back up without a click.
        auto* b = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        if (b && b->isDown() && QGuiApplication::mouseButtons() == Qt::NoButton) b->setDown(false);
    });
}

void onClick(core::Pos& pos, QWidget* control, std::function<void()> handler) {
    auto endsDoubleClick = std::make_shared<bool>(false);
    new EventWatcher(control, QEvent::MouseButtonDblClick,
                     [endsDoubleClick](QEvent*) { *endsDoubleClick = true; });
    new EventWatcher(control, QEvent::MouseButtonRelease,
                     [&pos, control, handler, endsDoubleClick](QEvent* e) {
                         auto* m = static_cast<QMouseEvent*>(e);
                         // The release that ends a double click is not a second click.
                         const bool second = *endsDoubleClick;
                         *endsDoubleClick = false;
                         if (!second && m->button() == Qt::LeftButton &&
                             control->rect().contains(m->position().toPoint()))
                             core::guard(pos, handler);
                     });
}

void onKeyPress(core::Pos& pos, QWidget* control,
                std::function<void(int key, const QString& text)> handler) {
    new EventWatcher(control, QEvent::KeyPress, [&pos, handler](QEvent* e) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        const QString text = k->text();
        core::guard(pos, [&] { handler(key, text); });
    });
}

void onDoubleClick(core::Pos& pos, QWidget* control, std::function<void()> handler) {
    new EventWatcher(control, QEvent::MouseButtonDblClick,
                     [&pos, handler](QEvent*) { core::guard(pos, handler); });
}

} // namespace ui
