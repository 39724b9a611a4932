#pragma once
// The run-time library's own message texts. Callers and stored logs compare against them, so they
// stay word for word as the platform writes them; '%s'/'%d' are Format arguments.

// Conversions
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* SInvalidBoolean = "'%s' is not a valid boolean value";
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SArgumentMissing = "No argument for format '%s'";
inline constexpr const char* SInvalidCast = "Invalid class typecast";
inline constexpr const char* SOperationAborted = "Operation aborted";

// Operating system
inline constexpr const char* SOSError = "System Error.  Code: %d.\n%s";
inline constexpr const char* SUnkOSError = "A call to an OS function failed";

// Lists
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SListCountError = "List count out of bounds (%d)";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateItem = "List does not allow duplicates ($0%x)";

// Streams, filers and resources
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SFCreateError = "Cannot create file %s";
inline constexpr const char* SFOpenError = "Cannot open file %s";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SResNotFound = "Resource %s not found";
inline constexpr const char* SInvalidImage = "Invalid stream format";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SUnknownProperty = "Property %s does not exist";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";

// Components
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "''%s'' is not a valid component name";

// Controls
inline constexpr const char* SScrollBarRange = "Scrollbar property out of range";
inline constexpr const char* SParentRequired = "Control '%s' has no parent window";
inline constexpr const char* SParentGivenNotAParent = "Parent given is not a parent of '%s'";

// Variants
inline constexpr const char* SInvalidVarCast = "Invalid variant type conversion";
inline constexpr const char* SVarTypeCastError = "Could not convert variant of type (%s) into type (%s)";

// Profile files and registry
inline constexpr const char* SIniFileWriteError = "Unable to write to %s";
inline constexpr const char* SRegCreateFailed = "Failed to create key %s";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* SRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* SInvalidRegType = "Invalid data type for '%s'";
