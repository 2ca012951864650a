#pragma once

#include "plugins/ByteSource.h"
#include "plugins/PictureInfo.h"

// The header reader of one plug-in's format (each .spi links exactly one): fills info
// and returns kPictureOk, or returns why not.
int ReadPicture(CByteSource& source, VuroPictureInfo& info);
