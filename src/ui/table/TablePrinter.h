#pragma once

#include <QString>
#include <QtPlugin>

class QTextDocument;
class QWidget;

// Printing on paper, in a plugin of its own: QtPrintSupport (and the print
// system behind it) is loaded on the first print instead of at every start.
class TablePrinter {
public:
    virtual ~TablePrinter() = default;
    // Asks for a printer over `parent` and prints `document` on it under the
    // name `docName`. False when the dialog was cancelled.
    virtual bool Print(QTextDocument& document, const QString& docName, QWidget* parent) = 0;
};

#define YomariTablePrinter_iid "yomari.TablePrinter/1"
Q_DECLARE_INTERFACE(TablePrinter, YomariTablePrinter_iid)

namespace yomari::tableexport {

// The plugin, loaded on first use from beside the program or from the
// installed library folder; nullptr with `error` saying why when it cannot be.
TablePrinter* LoadTablePrinter(QString& error);

} // namespace yomari::tableexport
