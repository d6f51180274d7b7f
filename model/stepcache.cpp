#include "model/stepcache.h"

#include "model/modelstate.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace calidor {

namespace {

// The parameters are 18 doubles then the int32 flag: no padding inside, only
// after the flag, which the image leaves out.
static_assert(std::is_standard_layout_v<ModelParameters>);
constexpr std::size_t ParameterBytes = offsetof(ModelParameters, cocourant) + sizeof(std::int32_t);
static_assert(ParameterBytes == 18 * sizeof(double) + sizeof(std::int32_t));
static_assert(sizeof(NodeRecord) == 6 * sizeof(double)); // records have no padding either
constexpr std::size_t RecordBytes = sizeof(NodeRecord) * (N + 2);

// Image layout: old records, new records, parameters, dx, control word. The
// records come first: during the transient they differ within the first few
// dozen bytes, so a miss costs next to nothing.
constexpr std::size_t OldAt = 0, NewAt = OldAt + RecordBytes, ParamsAt = NewAt + RecordBytes,
                      DxAt = ParamsAt + ParameterBytes, ControlAt = DxAt + sizeof(double),
                      KeyBytes = ControlAt + sizeof(unsigned short);

// The x87 control word (rounding and precision): the same formulas give the
// same bits only under the same one.
unsigned short controlWord() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned short word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
#else
    return 0;
#endif
}

} // namespace

bool PhaseMemo::matches(const ModelState& m) const {
    if (m_key.size() != KeyBytes)
        return false;
    const unsigned char* k = m_key.data();
    const unsigned short word = controlWord();
    return std::memcmp(k + OldAt, m.oldNodes.data(), RecordBytes) == 0 &&
           std::memcmp(k + NewAt, m.newNodes.data(), RecordBytes) == 0 &&
           std::memcmp(k + ParamsAt, &m.params, ParameterBytes) == 0 &&
           std::memcmp(k + DxAt, &m.dx, sizeof(double)) == 0 &&
           std::memcmp(k + ControlAt, &word, sizeof word) == 0;
}

void PhaseMemo::remember(const ModelState& m) {
    m_key.resize(KeyBytes);
    unsigned char* k = m_key.data();
    const unsigned short word = controlWord();
    std::memcpy(k + OldAt, m.oldNodes.data(), RecordBytes);
    std::memcpy(k + NewAt, m.newNodes.data(), RecordBytes);
    std::memcpy(k + ParamsAt, &m.params, ParameterBytes);
    std::memcpy(k + DxAt, &m.dx, sizeof(double));
    std::memcpy(k + ControlAt, &word, sizeof word);
    Pc = m.Pc;
    Pf = m.Pf;
    Sgen = m.Sgen;
}

} // namespace calidor
