#pragma once

#include "engine/TextTable.h"
#include "ui/table/TableExport.h"

#include <QWidget>

class QTableWidget;

namespace yomari {
class EraCalendar;
}

// One page of the table window: a table and the boxes that choose its rows.
// The window holds the era calendar and hands the pages a view of it.
class TablePage : public QWidget {
public:
    using QWidget::QWidget;

    // The calendar the rows come from; null when none could be read. The
    // page fills its table again.
    virtual void SetCalendar(const yomari::EraCalendar* calendar) = 0;
    // The table as its cells read: all rows, or the selected ones (all when
    // none is selected).
    virtual yomari::tableexport::ExportTable Export(bool selectedOnly) const = 0;
    // Puts the focus into the box a person types into first.
    virtual void FocusFirstBox() = 0;

protected:
    // A read-only grid that selects whole rows, one text line per row.
    static QTableWidget* NewGrid(QWidget* parent);
    static void ShowTable(QTableWidget* grid, const yomari::TextTable& table);
    static void FitColumns(QTableWidget* grid);
    // The selected rows of the grid, top to bottom, or all rows when none is selected.
    static yomari::TextTable SelectedOrAll(const QTableWidget* grid, yomari::TextTable table);
};
