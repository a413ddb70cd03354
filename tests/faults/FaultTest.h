// What the exchange, table and text fault tests start from: the names they
// use, their data columns' types, and a fresh faulty welder for every test
// function.
#pragma once

#include <QObject>
#include <QtTest>

#include <optional>

#include "FaultyWelder.h"

Q_DECLARE_METATYPE(tav::sim::Faults)
Q_DECLARE_METATYPE(tav::link::TextDownloadKind)

namespace tav::test::faults {

using ::tav::link::TextDownloadKind;
using ::tav::records::ReceptionEnd;

class FaultTest : public QObject {
    Q_OBJECT

protected:
    std::optional<FaultyWelder> welder;

private slots:
    void init() { welder.emplace(); }
    void cleanup() { welder.reset(); }
};

}  // namespace tav::test::faults
