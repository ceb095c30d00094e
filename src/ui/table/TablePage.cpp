#include "ui/table/TablePage.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

QTableWidget* TablePage::NewGrid(QWidget* parent)
{
    auto* grid = new QTableWidget(parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->verticalHeader()->setVisible(false);
    grid->setAlternatingRowColors(true);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    // One line of text per row, as in a printed table.
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    return grid;
}

void TablePage::ShowTable(QTableWidget* grid, const yomari::TextTable& table)
{
    grid->clearSelection();
    grid->setColumnCount(static_cast<int>(table.header.size()));
    grid->setRowCount(static_cast<int>(table.rows.size()));
    QStringList header;
    for (const auto& h : table.header)
        header << QString::fromStdString(h);
    grid->setHorizontalHeaderLabels(header);
    for (int r = 0; r < grid->rowCount(); ++r) {
        const auto& cells = table.rows[static_cast<size_t>(r)];
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(c)])));
    }
    FitColumns(grid);
}

void TablePage::FitColumns(QTableWidget* grid)
{
    grid->resizeColumnsToContents();
    // Some air between the columns, as a printed table has.
    const int air = grid->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2;
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, grid->columnWidth(c) + air);
}

yomari::TextTable TablePage::SelectedOrAll(const QTableWidget* grid, yomari::TextTable table)
{
    QList<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return table;
    std::sort(rows.begin(), rows.end());
    yomari::TextTable selected{table.header, {}};
    for (int r : rows)
        if (r >= 0 && static_cast<size_t>(r) < table.rows.size())
            selected.rows.push_back(table.rows[static_cast<size_t>(r)]);
    return selected;
}
