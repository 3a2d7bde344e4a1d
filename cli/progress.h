#pragma once
// Progress of a transfer on stderr: a bar redrawn in place on a terminal
// (blocks or rows done, percent, time left), plain lines at every tenth
// otherwise (logs and pipes).

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

namespace vx::cli {

class Progress {
public:
    Progress(QTextStream& err, bool terminal, QString unit, int total);
    void step(int done);
    // Ends the bar's line (a terminal's cursor moves on).
    void finish();

    static bool stderrIsTerminal();

private:
    QTextStream& err_;
    bool terminal_;
    QString unit_;
    int total_;
    int lastTenth_ = -1;
    bool drawn_ = false;
    QElapsedTimer clock_;
};

}  // namespace vx::cli
