#include "maintenance/backup.h"

#include "core/text_file.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace maintenance {

QStringList backupSettings(const QString& folder, const QDate& today) {
    const QString stamp = today.toString("MMddyy");
    return {"[Options]",
            "ProgramTitle=Marlow POS",
            "UseAbsoluteBaseDirectory=0",
            "BaseDirectory=",
            "FilesToBackup=*.*",
            "RecurseSubDirs=0",
            "RenameBeforeRestore=0",
            "BackupLocation=" + folder + "/" + stamp + ".zip",
            "GlyphsOff=0",
            "Automate=0",
            "PopupErrorsWhileAutomated=0",
            "FileOverwriteCheck=0",
            "[LanguageSupport]",
            "MainInstrBackup=Make sure your backup disk is in the disk drive, and press the "
            "\"Start Backup\" button to continue.",
            "MainInstrRestore=Make sure your backup disk is in the disk drive, and press the "
            "\"Start Restore\" button to continue.",
            "BackupPrompt=Backup destination:",
            "RestorePrompt=Restore from:",
            "ButtonOKBackup=Start Backup",
            "ButtonOKRestore=Start Restore",
            "ButtonCancel=Cancel",
            "RenameDirectoryErrorMess=Error renaming directory. Restore operation cancelled.",
            "CreateDirectoryErrorMess=Error creating directory. Restore operation cancelled.",
            "BackupNotFound=Backup file not found. Restore operation cancelled.",
            "RestoreComplete=The restore is complete.",
            "RequestNextDisk=Please insert backup disk #",
            "Abort=Operation cancelled.",
            "MainDblClck=\"Backup/Restore Version \"",
            "BackupComplete=Backup Complete",
            "PasswordError=Password error: restore incomplete.",
            "ConfirmOverwrite=\"You are about to replace a file. Would you like to overwrite \"",
            "ConfirmationCaption=Confirmation",
            "TargetDirectoryNotFound=Target directory not found. Backup operation cancelled.",
            "CannotRenameRootDirectory=Cannot Rename Root Directory.",
            "EnterFloppy=No floppy in drive. Please insert disk.",
            "Restore=\" Restore\"",
            "Backup=\" Backup\"     ",
            "[ABLanguageSupport]",
            "AbUserAbort=Process aborted by user",
            "AbLastDiskRequest=Insert last disk in spanned disk set",
            "AbDiskRequest=Insert Floppy",
            "AbDiskNumRequest=Of the spanned set insert disk number #%",
            "AbOK=OK",
            "AbCancel=Cancel",
            "AbFileNotFound= File Not Found"};
}

void Backup::startBackupProgram(const QStringList& arguments) {
    QFileInfo local("ab32");
    pos.services.launcher->start(local.isFile() ? local.absoluteFilePath() : QString("ab32"),
                                 arguments);
    pos.services.lifetime->end();
}

void Backup::Backup1Click() {
    const std::optional<QString> chosen = pos.dialogs().chooseFolder("Backup", QString());
    // A cancelled choice is a cancelled backup: nothing written, nothing started.
    if (!chosen || chosen->isEmpty()) return;
    QString folder = QDir::cleanPath(*chosen);
    if (folder.endsWith('/')) folder.chop(1); // the root keeps no separator of its own here
    core::writeLines(kBackupSettingsFile, backupSettings(folder, pos.services.clock->today()));
    const QString copy = folder + "/" + kBackupSettingsFile;
    if (!QFileInfo::exists(copy)) QFile::copy(kBackupSettingsFile, copy);
    startBackupProgram({});
}

void Backup::Restore1Click() {
    if (!pos.administrator()) return;
    startBackupProgram({"-R"});
}

} // namespace maintenance
