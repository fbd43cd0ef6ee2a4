#pragma once

#include <QString>
#include <QStringList>

namespace zv::app {

// Paths given on the command line ("Open with", or files dropped on the
// program's icon), as full item paths in the order given. Relative paths are
// taken from `workingFolder`; file: URLs become local paths.
QStringList pathsFromArguments(const QStringList& arguments, const QString& workingFolder);

}  // namespace zv::app
