#pragma once

// The communication book's place in the image: codes from 10464, names from 11488, 8 bytes per
// entry each.

#include "model/auto_test_recording.h"
#include "model/commu_book.h"
#include "model/encode_result.h"
#include "model/radio_image.h"

namespace hvt {

// Sorts the live book, which keeps the new order, and writes it. Texts are single bytes, so no
// character can fail to fit: the encoder always succeeds.
EncodeResult SetCommDataByDTMFCommuBook(CommuBook& book, RadioImage& image, AutoTestRecording* recording);

// Replaces the whole book; every entry is numbered by its index.
void GetCommDataByDTMFCommuBook(const RadioImage& image, CommuBook& book);

}  // namespace hvt
