#include "form/batch_calculate.h"

namespace quorven {

bool CalculateForBatch(TagRecord& r, const CalculateInputs& in, MessageSink& sink) {
    CalculateInputs batch = in;
    batch.interactive = false;
    const CalculateResult result = OnCalculate(r, batch, sink);
    return result.check.ok && result.sized;
}

}  // namespace quorven
