#include "core/pos.h"

#include <exception>

namespace core {

void guard(Pos& pos, const std::function<void()>& handler) {
    if (pos.closing) return;
    try {
        handler();
    } catch (const std::exception& e) {
        pos.dialogs().error(QString::fromUtf8(e.what()));
    } catch (...) {
        pos.dialogs().error(QStringLiteral("An unexpected error stopped this operation."));
    }
}

} // namespace core
