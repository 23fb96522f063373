#pragma once
// A whole chart as bytes: the chart's properties, then each series and tool
// as a child (class name, name, properties), read back by class name through
// the registries. Written, read and written again, a chart gives the same bytes.
#include <cstdint>
#include <span>
#include <vector>

class QObject;
class TCustomChart;

std::vector<std::uint8_t> WriteChart(const TCustomChart& Chart);
// Reads into Chart (which should hold no series nor tools); children are
// owned by Owner. An unknown class raises EClassNotFound, a broken stream
// EReadError.
void ReadChart(TCustomChart& Chart, QObject* Owner, std::span<const std::uint8_t> Data);
