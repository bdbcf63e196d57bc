#pragma once

// The bar-code symbologies a template can ask for. One list for the template model, its file
// format and the encoder, so a value read from a template goes to the encoder as it is.

namespace ergotab::report {

enum class BarcodeType { Code39, Code128, Ean13, Ean8, Interleaved2of5, QrCode };

} // namespace ergotab::report
