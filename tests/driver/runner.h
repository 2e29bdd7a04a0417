#pragma once

#include "driver/recording_services.h"
#include "driver/scenario_parser.h"

#include <QString>

#include <memory>

namespace ui {
class Program;
}

namespace driver {

struct Outcome {
    bool passed = false;
    int line = 0;
    QString message;
};

// Plays one scenario file against the real program in a fresh working directory.
class Runner {
public:
    explicit Runner(bool keep) : m_keep(keep) {}
    ~Runner();
    Outcome run(const QString& file);

private:
    void runCommand(const Command& c);
    void setUp(const QString& work);
    void startProgram();
    void stopProgram();
    void settle();

    bool m_keep;
    QString m_work, m_data;
    QString m_dir; // the folder of the scenario file, for `include`
    int m_includeDepth = 0;
    std::unique_ptr<RecordingServices> m_rec;
    std::unique_ptr<ui::Program> m_program;
    int m_outputsSeen = 0;
};

} // namespace driver
