#pragma once
// The statistical types' unit: enters its functions and the histogram series
// in the chart engine's registries at start-up and takes them out at shut-down.
void StartStatChar();
void StopStatChar();
