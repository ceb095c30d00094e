#pragma once

#include <QString>

#include <string>
#include <vector>

namespace yomari {

// One period of the era search: its name and its oldest and newest era, the
// eras spelled as in the era data files.
struct JidaiRecord {
    QString name;
    QString first;
    QString last;
};

// Reads every record of a period data file (UTF-8 or CP932, items as in the
// era data files, three items to a record). Throws YomariError naming the file
// when it is missing, unreadable or undecodable, or ends inside a record. A
// file without records gives an empty list.
std::vector<JidaiRecord> ReadJidaiFile(const QString& fileName, const std::string& errorSource);

} // namespace yomari
