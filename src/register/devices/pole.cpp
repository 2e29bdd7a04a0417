#include "register/devices/pole.h"

namespace reg {

QString poleTopLine(const QString& text) {
    return (text + ' ').leftJustified(20, ' ', true);
}

QString poleSpread(const QString& left, const QString& right, int width) {
    int blanks = std::max<qsizetype>(1, width - left.size() - right.size());
    return left + QString(blanks, ' ') + right;
}

} // namespace reg
