#pragma once

#include <QAbstractTableModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

#include <vector>

class QLineEdit;

#include "store/table.h"

namespace ui {

// Gives a control its own background colour (labels, grids, the helper's heading).
void setBackground(QWidget* w, const QColor& color);

// A clickable picture: the picture buttons, the strip and the decorative images.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    PictureButton(const QString& svgResource, QWidget* parent);
    void setPicture(const QString& svgResource);

signals:
    void pressed();
    void released();
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QString m_svg;
    bool m_endsDoubleClick = false;
};

// A multi-line list whose lines are kept exactly: no lines and one empty line differ.
class MemoList : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoList(QWidget* parent);
    const QStringList& lines() const { return m_lines; }
    int count() const { return static_cast<int>(m_lines.size()); }
    QString line(int n) const { return n >= 0 && n < count() ? m_lines[n] : QString(); }
    void setLines(const QStringList& lines);
    void addLine(const QString& line);
    void removeLine(int n);
    void clearLines() { setLines({}); }
    // The line under a point of the viewport; count() when the point is below the text.
    int lineAt(const QPoint& viewportPos) const;

signals:
    // The mouse button was released over line `line` (count() below the last line).
    void mouseReleasedAtLine(int line);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent*) override {}

private:
    void render();
    QStringList m_lines;
    bool m_rendering = false;
};

// Rows of text cells, read-only, for the search grids. The texts stay UTF-8 in one block
// and become QStrings only when shown, so a grid of a whole table opens quickly.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void setColumnCount(int n) { m_columns = n; }
    void setRows(store::RowSet rows);
    void setRows(const std::vector<QStringList>& rows);
    void clear() { setRows(store::RowSet{}); }
    QString cell(int row, int column) const;
    // The table row a grid row was read from; 0 when unknown.
    std::int64_t rowId(int row) const {
        return row >= 0 && row < int(m_rows.rids.size()) ? m_rows.rids[row] : 0;
    }
    // The first row whose cell in `column` begins with `prefix`, ignoring letter case; -1.
    int findPrefix(int column, const QString& prefix) const;

private:
    store::RowSet m_rows;
    int m_columns = 0;
};

// A string grid: no headers, fixed row height, one click reports the row under the mouse.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(int columns, const std::vector<int>& widths, QWidget* parent);
    GridModel* gridModel() const { return m_model; }
    int rowCount() const { return m_model->rowCount(); }
    void scrollRowToTop(int row);
    int topRow() const;
    // Type-ahead: Backspace drops the last character of `searchText`, any other character
    // is appended; the first row whose cell in `column` begins with it, in any letter case,
    // scrolls to the top. Nothing moves when no row matches.
    void typeAhead(QString& searchText, const QString& ch, int column);

signals:
    // Mouse released over row `row`; -1 when outside every row.
    void rowClicked(int row);
    // A character typed while the grid has the focus (Backspace as "\b", Enter as "\r").
    void charTyped(const QString& text);
    void escapePressed();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    GridModel* m_model;
};

// Lets a field take at most `limit` characters, as a table field counts them.
void limitCharacters(QLineEdit* field, int limit);

} // namespace ui
