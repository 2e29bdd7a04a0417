#include "driver/recording_services.h"

#include "core/errors.h"

namespace driver {

core::Button RecordingDialogs::message(const QString& caption, const QString& text,
                                       const std::vector<core::Button>& buttons,
                                       core::Button defaultButton, core::Icon) {
    boxes.push_back({caption, text, false});
    if (answers.empty()) return defaultButton;
    core::Button b = answers.front();
    answers.pop_front();
    if (std::find(buttons.begin(), buttons.end(), b) == buttons.end()) {
        problems << QString("the box \"%1\" has no such button to answer with").arg(caption);
        return defaultButton;
    }
    return b;
}

void RecordingDialogs::error(const QString& text) {
    boxes.push_back({"Marlow POS", text, true});
}

std::optional<QString> RecordingDialogs::nextFile(const QString& title) {
    if (fileAnswers.empty()) {
        problems << QString("the dialog \"%1\" had no queued answer").arg(title);
        return std::nullopt;
    }
    std::optional<QString> answer;
    answer.swap(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

std::optional<QString> RecordingDialogs::chooseFolder(const QString& title, const QString&) {
    return nextFile(title);
}

std::optional<QString> RecordingDialogs::openFile(const QString& title, const QString&,
                                                  const QString&) {
    return nextFile(title);
}

std::optional<QString> RecordingDialogs::saveFile(const QString& title, const QString&,
                                                  const QString&) {
    return nextFile(title);
}

std::optional<QString> RecordingDialogs::chooseItem(const QString& title, const QString&,
                                                    const QStringList& items) {
    auto chosen = nextFile(title);
    if (chosen && !items.contains(*chosen)) {
        problems << QString("the list \"%1\" offers no %2 (it offers %3)")
                        .arg(title, *chosen, items.join(", "));
        return std::nullopt;
    }
    return chosen;
}

std::optional<QString> RecordingDialogs::askName(const QString& title, const QString&,
                                                 const QString&) {
    return nextFile(title);
}

void RecordingReports::output(core::Document document, bool preview) {
    if (failing) throw core::PosError("The printer reports an error: out of paper.");
    const QString name = document.name;
    last[name] = {std::move(document), preview, false};
}

void RecordingPrinter::print(const QString& title, const QStringList& lines) {
    if (failing) throw core::PosError("The printer reports an error: out of paper.");
    jobs.push_back({title, lines});
}

namespace {
class RecordingPort : public core::SerialPort {
public:
    RecordingPort(QStringList& log, const QSet<QString>& broken, const QString& name)
        : m_log(log), m_broken(broken), m_name(name) {}
    ~RecordingPort() override { m_log << "close"; }
    void write(const QByteArray& bytes) override {
        if (m_broken.contains(m_name))
            throw core::SerialError(
                QString("Cannot write to the serial port %1").arg(m_name).toStdString());
        for (unsigned char c : bytes)
            m_log << QString("%1").arg(c, 2, 16, QChar('0')).toUpper();
    }

private:
    QStringList& m_log;
    const QSet<QString>& m_broken;
    QString m_name;
};
} // namespace

std::unique_ptr<core::SerialPort> RecordingSerialPorts::open(const QString& name, int speed) {
    if (failing.contains(name))
        throw core::SerialError(QString("Cannot open the serial port %1").arg(name).toStdString());
    log[name] << "open";
    baud[name] = speed;
    return std::make_unique<RecordingPort>(log[name], broken, name);
}

bool RecordingLauncher::start(const QString& program, const QStringList& arguments) {
    started.push_back(QStringList{program} + arguments);
    return true;
}

} // namespace driver
