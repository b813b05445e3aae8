// What closing a database or a document came to, after its save prompt.
#pragma once

namespace kinetra {

enum class CloseOutcome { Closed, Cancelled };

} // namespace kinetra
