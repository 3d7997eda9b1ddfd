// The fixed message texts of the PDF writer's exceptions.
#pragma once

inline constexpr const char* SGenerationPDFFileNotActivated = "Generation PDF file not activated";
inline constexpr const char* SGenerationPDFFileInProgress = "Generation PDF file in progress";
inline constexpr const char* SCannotAccessToPageInOnePassMode = "Cannot access to page in One Pass mode";
inline constexpr const char* SOutOfRange = "Out of range";
inline constexpr const char* SCannotReceiveDataForFont = "Cannot receive data for font ";
inline constexpr const char* SNotValidImage = "Not valid image.";
inline constexpr const char* SCCITTCompressionWorkOnlyForBitmap = "CCITT compression work only for bitmap";
inline constexpr const char* SPageInProgress = "Page in progress";
inline constexpr const char* SCanvasForThisPageAlreadyCreated = "Canvas for this page already created";
inline constexpr const char* STextObjectInited = "Text object inited";
inline constexpr const char* STextObjectNotInited = "Text object not inited";
inline constexpr const char* SCannotBeginTextObjectTwice = "Cannot begin text object twice";
inline constexpr const char* SActiveFontNotSetting = "Active font not setting";
inline constexpr const char* SRC4InvalidKeyLength = "RC4: Invalid key length";
inline constexpr const char* SNotSetOutputStream = "Not set output stream.";
inline constexpr const char* SNotBWImage = "Not b/w image.";
inline constexpr const char* SCompressionError = "Compression error";
inline constexpr const char* SInvalidStreamOperation = "Invalid stream operation";
inline constexpr const char* SAnnotationMustHaveTPDFPageAsOwner = "Annotation must have TPDFPage as owner";
inline constexpr const char* SURLCannotBeEmpty = "URL cannot be empty";
inline constexpr const char* SCannotSetEmptyExportValue = "Cannot set empty export value for radiobutton";
inline constexpr const char* SExportValuePresent = "In this radiogroup such exportvalue present";
