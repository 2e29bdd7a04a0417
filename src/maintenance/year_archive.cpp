#include "maintenance/year_archive.h"

#include "maintenance/year_files.h"
#include "store/place.h"
#include "store/server_source.h"

#include <QDir>
#include <QFileInfo>

namespace maintenance {

namespace {
bool onServer(const QString& dataPath) {
    return store::isServerPath(dataPath.toStdString());
}
} // namespace

void YearArchive::openSaleTable(const QString& place, bool current) {
    store::Table& sales = pos.tables.sale;
    sales.close();
    sales.setReadOnly(!current);
    sales.setFileName(place.toStdString());
    sales.open();
}

void YearArchive::openYear(const QString& name) {
    const QString& dataPath = pos.state.dataPath;
    if (onServer(dataPath)) {
        const QString year = name.isEmpty() ? "sale" : name;
        openSaleTable(QString::fromStdString(store::tablePlace(dataPath.toStdString(),
                                                               year.toStdString())),
                      year == "sale");
        return;
    }
    const qsizetype slash = name.lastIndexOf('/');
    const QString file = slash < 0 ? QString() : name.mid(slash + 1);
    if (file.isEmpty())
        openSaleTable(dataPath + "sale.tbl", true);
    else
        openSaleTable(name, file == "sale.tbl");
}

void YearArchive::PriorYear1Click() {
    if (!pos.administrator()) return;
    std::optional<QString> chosen;
    if (onServer(pos.state.dataPath)) {
        // On a server the closed years are tables of the shop's database, offered by name.
        QStringList years;
        for (const auto& name : store::archivedYears(pos.state.dataPath.toStdString()))
            years << QString::fromStdString(name);
        if (years.isEmpty())
            pos.dialogs().inform("Prior Year", "No year of this shop has been closed yet.");
        else
            chosen = pos.dialogs().chooseItem("Sale Database Filename", "Closed years:", years);
    } else {
        chosen = pos.dialogs().openFile("Sale Database Filename", ".", "Sale Database Files (*.tbl)");
    }
    if (chosen) m_lastChosen = *chosen;
    openYear(m_lastChosen);
}

void YearArchive::CloseYear1Click() {
    if (!pos.administrator()) return;
    const auto answer = pos.dialogs().message(
        "Close the year?",
        "Attention!  Attention!  This action will close the current sales database file.\rThis "
        "action can not be reversed. Select YES to continue or NO to cancel.",
        {core::Button::Yes, core::Button::No}, core::Button::No, core::Icon::Warning);
    if (answer != core::Button::Yes) return;
    // Everything is checked before anything moves: a year half closed is no year at all.
    auto refuse = [&](const QString& why) {
        pos.dialogs().message("Close Year", why + "\rThe year was not closed.", {core::Button::OK},
                              core::Button::OK, core::Icon::Warning);
    };
    store::Table& sales = pos.tables.sale;

    if (onServer(pos.state.dataPath)) {
        const std::string uri = pos.state.dataPath.toStdString();
        const auto chosen =
            pos.dialogs().askName("Close Year", "Name of the closed year:",
                                  "sale" + QString::number(pos.services.clock->today().year()));
        if (!chosen || chosen->isEmpty()) return;
        const std::string name = chosen->toStdString();
        if (!store::validArchiveName(name) || name == "sale" || name == "blank")
            return refuse(QString("'%1' cannot name a closed year: use letters, digits and _, "
                                  "beginning with a letter.")
                              .arg(*chosen));
        for (const auto& year : store::archivedYears(uri))
            if (year == name) return refuse(QString("The closed year %1 already exists.").arg(*chosen));
        const bool readOnly = sales.readOnly();
        sales.close();
        try {
            store::closeServerYear(uri, name);
        } catch (...) {
            sales.open(); // the year as it was: the change is one transaction
            throw;
        }
        sales.setReadOnly(readOnly);
        sales.open();
        return;
    }

    const auto chosen = pos.dialogs().saveFile("Close Year", ".", "Sale Database Files (*.tbl)");
    if (!chosen) return;
    QString target = QFileInfo(*chosen).absoluteFilePath();
    if (QFileInfo(target).suffix().isEmpty()) target += ".tbl";

    const QString dir = QFileInfo(QString::fromStdString(sales.fileName())).absolutePath();
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
    openYear({});
}

} // namespace maintenance
