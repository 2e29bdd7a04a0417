#include "reports/report.h"

#include "core/errors.h"
#include "core/text_file.h"

#include <QFileInfo>
#include <QImageReader>

namespace reports {

Element& Report::element(const QString& name) {
    if (m_places.isEmpty())
        for (int b = 0; b < int(bands.size()); ++b)
            for (int e = 0; e < int(bands[size_t(b)].elements.size()); ++e)
                m_places.insert(bands[size_t(b)].elements[size_t(e)].name, {b, e});
    const auto it = m_places.constFind(name);
    if (it != m_places.constEnd()) return bands[size_t(it->first)].elements[size_t(it->second)];
    throw core::PosError(
        QString("The report %1 has no element %2.").arg(this->name, name).toStdString());
}

const Band* Report::band(Band::Kind kind) const {
    for (const Band& b : bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

void Report::setCaption(const QString& label, const QString& text) {
    element(label).caption = text;
}

void Report::clear(const QString& memo) {
    element(memo).lines.clear();
}

void Report::addLine(const QString& memo, const QString& text) {
    element(memo).lines << text;
}

void Report::loadLines(const QString& memo, const QString& fileName) {
    if (!QFileInfo(fileName).isFile())
        throw core::FileError(
            QString("Cannot read %1: the file does not exist.").arg(fileName).toStdString());
    element(memo).lines = core::readLines(fileName);
}

void Report::loadPicture(const QString& image, const QString& fileName) {
    Element& e = element(image);
    static const QStringList kinds = {"bmp", "ico", "png", "jpg", "jpeg", "gif", "svg"};
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (fileName.isEmpty() || !kinds.contains(suffix))
        throw core::FileError(
            QString("Cannot load the picture '%1': not a bmp, ico, png, jpg, gif or svg file.")
                .arg(fileName)
                .toStdString());
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull())
        throw core::FileError(QString("Cannot load the picture '%1': %2.")
                                  .arg(fileName, reader.errorString())
                                  .toStdString());
    e.picture = picture;
}

} // namespace reports
