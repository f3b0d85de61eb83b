#include "tests/support/metersim.h"

using namespace std::chrono;

TMeterSim::TMeterSim(unsigned Number) {
  FCore.SetState(TMeterState{}, steady_clock::now());
  FPeer = std::make_unique<TPtyPeer>(Number);
  // The peer's thread may still answer while the peer is being destroyed,
  // when FPeer already reads null: hand it the object itself.
  TPtyPeer* line = FPeer.get();
  line->SetResponder([this, line](const TBytes& Bytes) { return OnBytes(*line, Bytes); });
}

TMeterSim::~TMeterSim() { FPeer.reset(); }

std::optional<TPeerAnswer> TMeterSim::OnBytes(TPtyPeer& Line, const TBytes& Bytes) {
  std::vector<TMeterAnswer> answers;
  {
    std::lock_guard lock(FLock);
    answers = FCore.Feed(Bytes, steady_clock::now());
  }
  FLogged.notify_all();
  for (TMeterAnswer& a : answers) Line.Send(TPeerAnswer{std::move(a.Bytes), a.Delay, a.Gap});
  // The meter keeps partial requests itself, so the peer may always forget
  // what it handed over.
  return TPeerAnswer{};
}

TMeterState TMeterSim::GetState() const {
  std::lock_guard lock(FLock);
  return FCore.GetState(steady_clock::now());
}

void TMeterSim::SetState(const TMeterState& State) {
  std::lock_guard lock(FLock);
  FCore.SetState(State, steady_clock::now());
}

void TMeterSim::Update(const std::function<void(TMeterState&)>& Change) {
  std::lock_guard lock(FLock);
  auto now = steady_clock::now();
  TMeterState s = FCore.GetState(now);
  Change(s);
  FCore.SetState(s, now);
}

void TMeterSim::AddFault(const TMeterFault& Fault, unsigned Times) {
  std::lock_guard lock(FLock);
  for (unsigned i = 0; i < Times; ++i) FCore.AddFault(Fault);
}

void TMeterSim::ClearFaults() {
  std::lock_guard lock(FLock);
  FCore.ClearFaults();
}

std::size_t TMeterSim::PendingFaults() const {
  std::lock_guard lock(FLock);
  return FCore.PendingFaults();
}

void TMeterSim::SetFrameGap(milliseconds Gap) {
  std::lock_guard lock(FLock);
  FCore.FrameGap = Gap;
}

std::vector<TMeterRequest> TMeterSim::Requests() const {
  std::lock_guard lock(FLock);
  return FCore.Requests();
}

void TMeterSim::ClearRequests() {
  std::lock_guard lock(FLock);
  FCore.ClearRequests();
}

bool TMeterSim::WaitRequests(std::size_t Count, milliseconds Timeout) const {
  std::unique_lock lock(FLock);
  return FLogged.wait_for(lock, Timeout, [&] { return FCore.Requests().size() >= Count; });
}
