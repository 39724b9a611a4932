#pragma once
// Matrix presets: the commands that make a matrix save or recall its whole routing under the
// number of a wall scene.
#include "matrix/MatrixSends.h"

enum class MatrixPresetOp { Save, Recall };

// The general preset command of the video matrix's make (by its list's item index), on the
// video-matrix link; nothing for a make without presets. `preset` is sent as one byte.
MatrixSends VideoMatrixPresetSends(const MatrixSettings& settings, MatrixPresetOp op, int preset);
// The same for the VGA matrix's make, on the RGB-matrix link.
MatrixSends RgbMatrixPresetSends(const MatrixSettings& settings, MatrixPresetOp op, int preset);

// The one make-specific command of a scene save or recall: the first make whose conditions hold
// (signal type, make name, matrix linkage) answers. For the makes whose scenes the console
// records itself the result sends nothing and has NativeScene set.
MatrixSends SceneModelSends(const MatrixSettings& settings, MatrixPresetOp op, int preset);
