#pragma once

#include "core/pos.h"

#include <QStringList>

namespace maintenance {

// The 44 lines of ab.ini for a backup into `folder` made on `today`.
QStringList backupSettings(const QString& folder, const QDate& today);

// Backup and restore by the backup program ab32, which this program prepares and starts.
class Backup {
public:
    explicit Backup(core::Pos& pos) : pos(pos) {}

    void Backup1Click();
    void Restore1Click();

private:
    // Starts ab32 (beside the shop's files first, else from the search path), then ends.
    void startBackupProgram(const QStringList& arguments);

    core::Pos& pos;
};

inline const char* const kBackupSettingsFile = "ab.ini";

} // namespace maintenance
