#include "interchange/config/fleet.h"

#include "editors/defaults.h"
#include "interchange/config/config_sections.h"
#include "interchange/config/config_texts.h"
#include "interchange/datafile.h"

#include <yaml-cpp/yaml.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>

namespace vx::fleet {

namespace {

using config::Problem;

Problem at(const YAML::Node& node, const QString& text) { return {node.Mark().line + 1, node.Mark().column + 1, text}; }
QString qs(const std::string& s) { return QString::fromStdString(s); }

// The base: a data file, or a text configuration on the start-up image.
bool loadBase(const QString& path, Image& base, const BandLimits& limits, QString* why)
{
    if (path.endsWith(QLatin1String(".yaml"), Qt::CaseInsensitive) || path.endsWith(QLatin1String(".yml"), Qt::CaseInsensitive)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *why = f.errorString();
            return false;
        }
        lay_startup_defaults(base);
        const config::Applied a = config::apply_config(f.read(config::kMaxConfigBytes + 1), base, limits);
        if (!a.ok()) {
            const Problem& p = a.problems.front();
            *why = QStringLiteral("%1:%2: %3").arg(p.line).arg(p.column).arg(p.text);
            return false;
        }
        return true;
    }
    lay_startup_defaults(base);
    const datafile::LoadResult r = datafile::load(path, base);
    if (!r.ok()) {
        *why = QFileInfo::exists(path) ? QStringLiteral("not a data file") : QStringLiteral("no such file");
        return false;
    }
    return true;
}

}  // namespace

Fleet read_fleet(const QByteArray& text, const QString& folder, const BandLimits& limits)
{
    namespace T = config::text;
    Fleet fleet;
    auto& problems = fleet.problems;
    YAML::Node root;
    try {
        root = YAML::Load(text.toStdString());
    } catch (const YAML::Exception& e) {
        problems.push_back({e.mark.line + 1, e.mark.column + 1, qs(e.msg)});
        return fleet;
    }
    if (!root.IsMap()) {
        problems.push_back(at(root, T::fleetNotMap));
        return fleet;
    }
    for (const auto& pair : root) {
        const QString key = qs(pair.first.Scalar());
        if (key != u"base" && key != u"radios")
            problems.push_back(at(pair.first, T::fleetUnknownKey.str().arg(key, QStringLiteral("base, radios"))));
    }
    const YAML::Node baseNode = root["base"];
    if (!baseNode || !baseNode.IsScalar()) {
        problems.push_back(at(root, T::fleetNoBase));
    } else {
        const QString given = qs(baseNode.Scalar());
        fleet.basePath = QDir(folder).absoluteFilePath(given);
        QString why;
        if (!loadBase(fleet.basePath, fleet.base, limits, &why))
            problems.push_back(at(baseNode, T::fleetBaseUnreadable.str().arg(given, why)));
    }
    const YAML::Node radios = root["radios"];
    if (!radios || !radios.IsSequence()) {
        problems.push_back(at(radios ? radios : root, T::fleetNoRadios));
        return fleet;
    }
    std::map<int, int> ports;        // port -> line
    std::map<QString, int> serials;  // serial -> line
    for (const YAML::Node& entry : radios) {
        if (!entry.IsMap()) {
            problems.push_back(at(entry, T::fleetRadioMap));
            continue;
        }
        Radio radio;
        radio.line = entry.Mark().line + 1;
        for (const auto& pair : entry) {
            const QString key = qs(pair.first.Scalar());
            if (key != u"port" && key != u"serial" && key != u"name" && key != u"settings")
                problems.push_back(at(pair.first, T::fleetUnknownKey.str().arg(key, QStringLiteral("port, serial, name, settings"))));
        }
        if (const YAML::Node p = entry["port"]) {
            bool ok = false;
            radio.port = p.IsScalar() ? qs(p.Scalar()).toInt(&ok) : 0;
            if (!ok || radio.port < 1 || radio.port > 12)
                problems.push_back(at(p, T::fleetPort));
            else if (const auto [it, fresh] = ports.emplace(radio.port, p.Mark().line + 1); !fresh)
                problems.push_back(at(p, T::fleetPortTwice.str().arg(radio.port).arg(it->second)));
        } else {
            problems.push_back(at(entry, T::fleetNeedsPort));
        }
        if (const YAML::Node s = entry["serial"]; s && s.IsScalar()) {
            radio.serial = qs(s.Scalar()).trimmed();
            if (const auto [it, fresh] = serials.emplace(radio.serial, s.Mark().line + 1); !fresh)
                problems.push_back(at(s, T::fleetSerialTwice.str().arg(radio.serial).arg(it->second)));
        }
        const YAML::Node name = entry["name"];
        radio.name = name && name.IsScalar() ? qs(name.Scalar()) : QStringLiteral("COM%1").arg(radio.port);
        // Its own settings over the base, each checked as apply-conf checks
        // it, at its place in the fleet file.
        radio.image = fleet.base;
        if (const YAML::Node settings = entry["settings"]) {
            const config::Applied a = config::apply_node(settings, radio.image, limits);
            problems.insert(problems.end(), a.problems.begin(), a.problems.end());
        }
        fleet.radios.push_back(std::move(radio));
    }
    return fleet;
}

QStringList plan_lines(const Fleet& fleet, bool inChinese)
{
    namespace T = config::text;
    Image held = fleet.base;  // what a radio holds once the base is written
    prepare_whole_write(held);
    QStringList out;
    for (const Radio& r : fleet.radios) {
        const std::vector<int> rows = rows_to_write(r.image, held);
        QStringList regions;
        for (const region::Named& n : region::kMap) {
            const auto count = std::ranges::count_if(rows, [&](int row) { return row >= n.rows.first && row <= n.rows.last; });
            if (count > 0)
                regions << QStringLiteral("%1 %2").arg(QString::fromUtf8(inChinese ? n.nameZh : n.name)).arg(count);
        }
        out << T::fleetPlanLine.in(inChinese)
                   .arg(r.name)
                   .arg(r.port)
                   .arg(r.serial.isEmpty() ? QString() : T::fleetPlanSerial.in(inChinese).arg(r.serial))
                   .arg(rows.size())
                   .arg(regions.isEmpty() ? QString() : QStringLiteral(" (") + regions.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
    return out;
}

}  // namespace vx::fleet
