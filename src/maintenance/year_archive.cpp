#include "maintenance/year_archive.h"

#include "maintenance/year_files.h"

#include <QDir>
#include <QFileInfo>

namespace maintenance {

void YearArchive::openSaleTable(const QString& dir, const QString& name) {
    store::Table& sales = pos.tables.sale;
    sales.close();
    sales.setReadOnly(name != "sale.tbl");
    sales.setFileName((dir + name).toStdString());
    sales.open();
}

void YearArchive::PriorYear1Click() {
    if (!pos.administrator()) return;
    if (auto chosen =
            pos.dialogs().openFile("Sale Database Filename", ".", "Sale Database Files (*.tbl)"))
        m_lastChosen = *chosen;
    const qsizetype slash = m_lastChosen.lastIndexOf('/');
    const QString name = slash < 0 ? QString() : m_lastChosen.mid(slash + 1);
    if (name.isEmpty())
        openSaleTable(pos.state.dataPath, "sale.tbl");
    else
        openSaleTable(m_lastChosen.left(slash + 1), name);
}

void YearArchive::CloseYear1Click() {
    if (!pos.administrator()) return;
    const auto answer = pos.dialogs().message(
        "Close the year?",
        "Attention!  Attention!  This action will close the current sales database file.\rThis "
        "action can not be reversed. Select YES to continue or NO to cancel.",
        {core::Button::Yes, core::Button::No}, core::Button::No, core::Icon::Warning);
    if (answer != core::Button::Yes) return;
    const auto chosen = pos.dialogs().saveFile("Close Year", ".", "Sale Database Files (*.tbl)");
    if (!chosen) return;
    QString target = QFileInfo(*chosen).absoluteFilePath();
    if (QFileInfo(target).suffix().isEmpty()) target += ".tbl";

    store::Table& sales = pos.tables.sale;
    const QString dir = QFileInfo(QString::fromStdString(sales.fileName())).absolutePath();
    // Everything is checked before anything moves: a year half closed is no year at all.
    auto refuse = [&](const QString& why) {
        pos.dialogs().message("Close Year", why + "\rThe year was not closed.", {core::Button::OK},
                              core::Button::OK, core::Icon::Warning);
    };
    if (!QFileInfo::exists(QDir(dir).filePath("blank.tbl")))
        return refuse("The empty year template blank.tbl is missing from the data directory.");
    if (QFileInfo::exists(target))
        return refuse(QString("The file %1 already exists.").arg(target));
    if (!QFileInfo::exists(QDir(dir).filePath("sale.tbl")))
        return refuse(QString("There is no sale.tbl in %1 to close.").arg(dir));

    sales.close();
    try {
        closeYearFiles(dir, target);
    } catch (...) {
        sales.open(); // the old year, still in place
        throw;
    }
    // The table keeps its file name: in the current year that is the new empty sale.tbl.
    sales.setReadOnly(false);
    sales.open();
}

void YearArchive::CurrentYear1Click() {
    if (!pos.administrator()) return;
    openSaleTable(pos.state.dataPath, "sale.tbl");
}

} // namespace maintenance
