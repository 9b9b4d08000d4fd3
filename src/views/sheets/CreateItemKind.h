#pragma once

namespace quillmere {

// What the create sheet makes in the current folder.
enum class CreateItemKind { file, folder };

} // namespace quillmere
