#pragma once

namespace quillmere {

// The verdict of the batch rename preview on one proposed name. invalidName marks a
// name no entry of the folder can have: ".", "..", one with a "/" or a NUL, which
// would send the entry into another folder or fail, or one longer than 255 bytes.
enum class Validity { ok, empty, duplicateInBatch, collidesExisting, invalidRegex, invalidName };

} // namespace quillmere
