// The print dialog and QPrinter: the only code that needs QtPrintSupport.
#include "ui/table/TablePrinter.h"

#include <QObject>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

class TablePrinterPlugin : public QObject, public TablePrinter {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID YomariTablePrinter_iid)
    Q_INTERFACES(TablePrinter)

public:
    bool Print(QTextDocument& document, const QString& docName, QWidget* parent) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(docName);
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        document.print(&printer);
        return true;
    }
};

#include "TablePrinterPlugin.moc"
