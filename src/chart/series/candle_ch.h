#pragma once
// The financial types' unit: enters the candle, volume and Darvas series and
// the ADX and RSI functions in the chart engine's registries at start-up and
// takes them out at shut-down.
void StartCandleCh();
void StopCandleCh();
