// ab32: the shop's backup program. Without arguments it backs up what ab.ini in its working
// directory says; with -R it restores a backup the user chooses.
#include "archive.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class Window : public QDialog {
public:
    Window(bool restoring, const ab32::Settings& s) : m_restoring(restoring), m_settings(s) {
        setWindowTitle(s.text("ProgramTitle", "Marlow POS") +
                       (restoring ? " - Restore" : " - Backup"));
        auto* layout = new QVBoxLayout(this);
        auto* instructions = new QLabel(
            s.text(restoring ? "MainInstrRestore" : "MainInstrBackup").remove('"'), this);
        instructions->setWordWrap(true);
        layout->addWidget(instructions);
        layout->addWidget(new QLabel(s.text(restoring ? "RestorePrompt" : "BackupPrompt"), this));
        auto* row = new QHBoxLayout;
        m_location = new QLineEdit(restoring ? QString() : s.text("BackupLocation"), this);
        row->addWidget(m_location, 1);
        if (restoring) {
            auto* browse = new QPushButton("…", this);
            connect(browse, &QPushButton::clicked, this, [this] {
                const QString chosen = QFileDialog::getOpenFileName(
                    this, m_settings.text("RestorePrompt"), QDir::homePath(), "Backups (*.zip)");
                if (!chosen.isEmpty()) m_location->setText(chosen);
            });
            row->addWidget(browse);
        }
        layout->addLayout(row);
        m_bar = new QProgressBar(this);
        m_bar->setRange(0, 1);
        m_bar->setValue(0);
        layout->addWidget(m_bar);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        m_start = new QPushButton(s.text(restoring ? "ButtonOKRestore" : "ButtonOKBackup", "Start"),
                                  this);
        m_start->setDefault(true);
        auto* cancel = new QPushButton(s.text("ButtonCancel", "Cancel"), this);
        buttons->addWidget(m_start);
        buttons->addWidget(cancel);
        layout->addLayout(buttons);
        connect(m_start, &QPushButton::clicked, this, [this] { run(); });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        resize(460, 200);
    }

private:
    void run() {
        const QString work = QDir::currentPath();
        const QString place = m_location->text().trimmed();
        auto progress = [this](int done, int total) {
            m_bar->setMaximum(total);
            m_bar->setValue(done);
            QApplication::processEvents();
        };
        m_start->setEnabled(false);
        try {
            const QString data = ab32::dataDirectory(work);
            if (m_restoring) {
                if (!QFileInfo::exists(place))
                    throw ab32::Failure(m_settings.text("BackupNotFound").toStdString());
                const QString kept = ab32::restore(place, work, data, progress);
                QMessageBox::information(this, windowTitle(),
                                         m_settings.text("RestoreComplete") +
                                             "\nThe files it replaced are kept in " + kept + ".");
            } else {
                if (!QFileInfo(QFileInfo(place).absolutePath()).isDir())
                    throw ab32::Failure(m_settings.text("TargetDirectoryNotFound").toStdString());
                ab32::backup(work, data, place, progress);
                QMessageBox::information(this, windowTitle(), m_settings.text("BackupComplete"));
            }
            accept();
        } catch (const std::exception& e) {
            QMessageBox::critical(this, windowTitle(), QString::fromUtf8(e.what()));
            m_start->setEnabled(true);
        }
    }

    bool m_restoring;
    ab32::Settings m_settings;
    QLineEdit* m_location;
    QProgressBar* m_bar;
    QPushButton* m_start;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool restoring = app.arguments().contains("-R");
    ab32::Settings settings;
    try {
        settings = ab32::Settings::read("ab.ini");
    } catch (const std::exception&) {
        // A restore needs no ab.ini: the texts fall back to plain ones.
        if (!restoring) {
            QMessageBox::critical(nullptr, "Backup",
                                  "ab.ini is missing from " + QDir::currentPath());
            return 1;
        }
    }
    Window w(restoring, settings);
    return w.exec() == QDialog::Accepted ? 0 : 1;
}
