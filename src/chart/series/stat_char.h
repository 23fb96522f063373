#pragma once
// The statistical types' unit: enters its series types (and, as they come,
// its functions) in the chart engine's registries at start-up and takes them
// out at shut-down.
void StartStatChar();
void StopStatChar();
