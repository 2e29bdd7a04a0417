#pragma once

#include "core/services.h"

#include <QStringList>

#include <exception>
#include <functional>

namespace core {

// The steps that follow a stored sale or payment: each is tried, what fails is noted and
// reported once the register has finished, so that nothing can end it half-done.
class Troubles {
public:
    bool attempt(const std::function<void()>& step) {
        try {
            step();
            return true;
        } catch (const std::exception& e) {
            const QString message = QString::fromUtf8(e.what());
            if (!m_messages.contains(message)) m_messages << message;
            return false;
        }
    }
    void report(Dialogs& dialogs) const {
        for (const QString& message : m_messages)
            dialogs.error(message);
    }

private:
    QStringList m_messages;
};

} // namespace core
