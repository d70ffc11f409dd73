#pragma once
// A temporary per-user folder for a run of the program's tests or benchmarks: while it lives, the
// XDG configuration, data and cache folders lie inside it, so the run reads and writes no file of
// the user's own (the preferences among them), and programs it starts inherit the same.

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdlib>

namespace testsupport {
class TemporaryUserFolder {
public:
    TemporaryUserFolder() {
        if (!folder_.isValid())
            return;
        const QByteArray base = folder_.path().toLocal8Bit();
        for (const char* kind : {"CONFIG", "DATA", "CACHE"})
            setenv((QByteArray("XDG_") + kind + "_HOME").constData(),
                   (base + "/" + QByteArray(kind).toLower()).constData(), 1);
    }
    // False when no temporary folder could be made: the run must not go on.
    bool Valid() const { return folder_.isValid(); }

private:
    QTemporaryDir folder_;
};
} // namespace testsupport
