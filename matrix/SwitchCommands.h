#pragma once
// The switch commands of every matrix make: which make answers for the current signal type, and
// what it sends to route one input to one output.
#include <vector>

#include "matrix/MatrixSends.h"

// The sends that route `input` (from 1) to the output `outputIndex` (from 0) with the make
// configured for the current signal type. Several makes can answer one call (a list choice not
// yet confirmed beside the model label); each is sent and logged before the next. Nothing is
// sent for VIDEO2 or for a make without a command.
MatrixSends MatrixSwitchSends(const MatrixSettings& settings, int outputIndex, int input);

// The make lists of the matrix configuration, in list order.
const std::vector<String>& VideoMatrixModels();
const std::vector<String>& VgaMatrixModels();
const std::vector<String>& DviMatrixModels();
const std::vector<String>& HdmiMatrixModels();
