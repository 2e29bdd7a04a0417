#include "core/document.h"

#include <QPainter>

namespace core {

void paintPage(QPainter& painter, const DocPage& page) {
    for (const DocItem& item : page.items) {
        switch (item.kind) {
        case DocItem::Kind::Text:
            painter.setFont(item.font);
            painter.setPen(Qt::black);
            painter.drawText(item.rect, item.alignment, item.text);
            break;
        case DocItem::Kind::Line:
            painter.setPen(QPen(Qt::black, item.penWidth));
            painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
            break;
        case DocItem::Kind::Box:
            painter.setPen(QPen(Qt::black, item.penWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect);
            break;
        case DocItem::Kind::Picture:
            painter.drawImage(item.rect, item.picture);
            break;
        }
    }
}

} // namespace core
