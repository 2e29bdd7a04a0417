#include "ui/wiring.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace ui {
namespace {
class ExitWatcher : public QObject {
public:
    ExitWatcher(core::Pos& pos, QWidget* control, std::function<void()> handler)
        : QObject(control), m_pos(pos), m_handler(std::move(handler)) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusOut) {
            auto reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                core::guard(m_pos, m_handler);
        }
        return false;
    }

private:
    core::Pos& m_pos;
    std::function<void()> m_handler;
};
class DoubleClickWatcher : public QObject {
public:
    DoubleClickWatcher(core::Pos& pos, QWidget* control, std::function<void()> handler)
        : QObject(control), m_pos(pos), m_handler(std::move(handler)) {
        control->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) core::guard(m_pos, m_handler);
        return false;
    }

private:
    core::Pos& m_pos;
    std::function<void()> m_handler;
};
} // namespace

void onDoubleClick(core::Pos& pos, QWidget* control, std::function<void()> handler) {
    new DoubleClickWatcher(pos, control, std::move(handler));
}

void onExit(core::Pos& pos, QWidget* control, std::function<void()> handler) {
    new ExitWatcher(pos, control, std::move(handler));
}

} // namespace ui
