#pragma once

#include <cstdint>

#include "store/app_state.hpp"

namespace tarvomen {

// Fills `ColorCodes` with the fifteen colours.
void FillColorText(AppState& state);

// Computes `MediaKey`, the style record number of the selected page (StyleRecordNo), and
// returns it; a kind outside the three leaves it as it was.
std::int32_t GetMediaKey(AppState& state);

// Reads style record `MediaKey` into the current style.
void GetMediaParm(AppState& state);

// The record that the current style stands for: StyleIndex as held, colours, fonts and sizes
// derived from it, the media names, folder and LinkToProfile copied, RecordNo as last read.
StyleRecord BuildStyleRecord(const AppState& state);

// Writes the current style to record `MediaKey` (computed anew), derived as BuildStyleRecord.
void PutMediaParm(AppState& state);

// Empties the seven media names and the folder of the current page's style record (after the
// "Will overwrite old Media Parms" message unless `KillDetail` is set).
void DoCleanMedia(AppState& state);

// Copies the style of product `CurrentRecord` to all thirty product records.
void CopyStyleToAllProducts(AppState& state);

}  // namespace tarvomen
