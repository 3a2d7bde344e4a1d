#pragma once
// A fleet file: one configuration for many radios, each with its own
// identity. The base is a data file or a text configuration (applied onto
// the start-up image); each radio names its port, optionally the serial
// number it must have, and its own settings in the text configuration's
// keys, laid over the base:
//
//   base: club.dat              # or club.yaml; relative to the fleet file
//   radios:
//     - name: Car 1             # optional
//       port: 8
//       serial: EMU000--000000--0001   # optional: the radio must be this one
//       settings:
//         options: {ani: "101", power_on_message_1: CAR1}
//     - port: 9
//       settings:
//         options: {ani: "102", power_on_message_1: CAR2}
//
// The file is refused as a whole, each problem with its line and column,
// for: a syntax error, an unknown key, a setting its rule refuses, two
// radios on one port, one serial number twice, a base that will not load.

#include "image/image.h"
#include "image/tables.h"
#include "interchange/config/config.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vx::fleet {

struct Radio {
    QString name;    // as the file gives it, else "COM n"
    int port = 0;    // 1..12
    QString serial;  // empty: any radio on the port
    int line = 0;    // where its entry starts
    Image image;     // the base with its own settings laid over
};

struct Fleet {
    QString basePath;
    Image base;
    std::vector<Radio> radios;
    std::vector<config::Problem> problems;  // empty: the fleet can be programmed
    bool ok() const { return problems.empty(); }
};

// Reads a fleet file's text; `folder` is where a relative base lies.
Fleet read_fleet(const QByteArray& text, const QString& folder, const BandLimits& limits);

// The plan, one line a radio: its name, port, serial number if given, and
// the rows where it differs from the base by region; then nothing is sent.
QStringList plan_lines(const Fleet& fleet, bool inChinese);

}  // namespace vx::fleet
