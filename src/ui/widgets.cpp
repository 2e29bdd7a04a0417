#include "ui/widgets.h"

#include "core/characters.h"

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QValidator>

#include <cctype>

namespace ui {

void setBackground(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Base, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

PictureButton::PictureButton(const QString& svgResource, QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setPicture(svgResource);
}

void PictureButton::setPicture(const QString& svgResource) {
    m_svg = svgResource;
    if (!m_svg.isEmpty() && width() > 0 && height() > 0)
        setPixmap(QIcon(m_svg).pixmap(size(), isEnabled() ? QIcon::Normal : QIcon::Disabled));
}

void PictureButton::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    // A disabled picture button looks greyed, as the clerk expects of a button.
    if (e->type() == QEvent::EnabledChange) setPicture(m_svg);
}

void PictureButton::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    setPicture(m_svg);
}

void PictureButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit pressed();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    emit released();
    // A double click is one click and a double click, not two clicks.
    const bool second = m_endsDoubleClick;
    m_endsDoubleClick = false;
    if (!second && rect().contains(e->position().toPoint())) emit clicked();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_endsDoubleClick = true;
    emit pressed();
    emit doubleClicked();
}

MemoList::MemoList(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_rendering) return;
        // Typed by the user: the text is the lines.
        QString text = toPlainText();
        m_lines = text.isEmpty() ? QStringList() : text.split('\n');
    });
}

void MemoList::render() {
    m_rendering = true;
    setPlainText(m_lines.join('\n'));
    m_rendering = false;
}

void MemoList::setLines(const QStringList& lines) {
    m_lines = lines;
    render();
}

void MemoList::addLine(const QString& line) {
    m_lines << line;
    m_rendering = true;
    if (m_lines.size() == 1)
        setPlainText(line);
    else
        appendPlainText(line);
    m_rendering = false;
}

void MemoList::removeLine(int n) {
    if (n < 0 || n >= count()) return;
    m_lines.removeAt(n);
    render();
}

int MemoList::lineAt(const QPoint& viewportPos) const {
    if (m_lines.isEmpty()) return 0;
    QTextBlock last = document()->lastBlock();
    QRectF lastRect = blockBoundingGeometry(last).translated(contentOffset());
    if (viewportPos.y() > lastRect.bottom()) return count();
    int n = cursorForPosition(viewportPos).blockNumber();
    return std::min(n, count());
}

void MemoList::mouseReleaseEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    // Any mouse button released over the list counts.
    emit mouseReleasedAtLine(lineAt(e->position().toPoint()));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.rows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QString GridModel::cell(int row, int column) const {
    if (row < 0 || row >= m_rows.rows() || column < 0 || column >= m_rows.fields) return {};
    std::string_view v = m_rows.field(row, column);
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cell(index.row(), index.column());
}

void GridModel::setRows(store::RowSet rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void GridModel::setRows(const std::vector<QStringList>& rows) {
    store::RowSet set;
    set.fields = m_columns;
    for (const QStringList& r : rows)
        for (int c = 0; c < m_columns; ++c) {
            set.arena += c < r.size() ? r[c].toStdString() : std::string();
            set.ends.push_back(static_cast<std::uint32_t>(set.arena.size()));
        }
    setRows(std::move(set));
}

int GridModel::findPrefix(int column, const QString& prefix) const {
    if (m_rows.rows() == 0 || column < 0 || column >= m_rows.fields) return -1;
    const QByteArray want = prefix.toUtf8();
    bool ascii = true;
    for (char c : want)
        ascii &= static_cast<unsigned char>(c) < 0x80;
    for (int r = 0; r < m_rows.rows(); ++r) {
        std::string_view v = m_rows.field(r, column);
        if (ascii) {
            // Plain letters compare byte by byte; the common case over many rows.
            if (v.size() < size_t(want.size())) continue;
            bool same = true;
            for (qsizetype i = 0; i < want.size() && same; ++i) {
                unsigned char a = static_cast<unsigned char>(v[i]),
                              b = static_cast<unsigned char>(want[i]);
                same = (a < 0x80 ? std::tolower(a) : a) == std::tolower(b);
            }
            if (same) return r;
        } else if (QString::fromUtf8(v.data(), qsizetype(v.size()))
                       .startsWith(prefix, Qt::CaseInsensitive)) {
            return r;
        }
    }
    return -1;
}

GridView::GridView(int columns, const std::vector<int>& widths, QWidget* parent)
    : QTableView(parent), m_model(new GridModel(this)) {
    m_model->setColumnCount(columns);
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    for (int c = 0; c < columns && c < int(widths.size()); ++c)
        setColumnWidth(c, widths[c]);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
}

void GridView::scrollRowToTop(int row) {
    if (row < 0 || row >= rowCount()) return;
    verticalScrollBar()->setValue(row);
}

void GridView::typeAhead(QString& searchText, const QString& ch, int column) {
    if (ch == "\b")
        core::chopChar(searchText);
    else
        searchText += ch;
    const int row = m_model->findPrefix(column, searchText);
    if (row >= 0) scrollRowToTop(row);
}

int GridView::topRow() const {
    int r = rowAt(0);
    return r < 0 ? 0 : r;
}

void GridView::mouseReleaseEvent(QMouseEvent* e) {
    QTableView::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) emit rowClicked(rowAt(e->position().toPoint().y()));
}

void GridView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    if (e->key() == Qt::Key_Backspace) {
        emit charTyped("\b");
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit charTyped("\r");
        return;
    }
    if (!e->text().isEmpty() && e->text()[0].isPrint()) {
        emit charTyped(e->text());
        return;
    }
    QTableView::keyPressEvent(e);
}

namespace {
// A field that takes at most so many characters (a maximum length would count UTF-16 units).
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
    State validate(QString& input, int&) const override {
        return core::charCount(input) <= m_limit ? Acceptable : Invalid;
    }

private:
    int m_limit;
};
} // namespace

void limitCharacters(QLineEdit* field, int limit) {
    field->setValidator(new CharacterLimit(limit, field));
}

} // namespace ui
