#include "maintenance/year_archive.h"

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

void YearArchive::CurrentYear1Click() {
    if (!pos.administrator()) return;
    openSaleTable(pos.state.dataPath, "sale.tbl");
}

} // namespace maintenance
