// Compiled by the layer tests, never linked: a file of a lower layer that
// includes a header of its own layer, and with LAYER_PROBE_UPWARD also one of
// a higher layer, which must not be found.
#include LAYER_PROBE_OWN
#ifdef LAYER_PROBE_UPWARD
#include LAYER_PROBE_UPWARD
#endif
