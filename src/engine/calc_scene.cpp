#include "engine/calc_scene.h"

#include "model/document.h"

struct CCalcScene::Impl {};

CCalcScene::CCalcScene(const CMyTalvoDoc&) : m_impl(std::make_unique<Impl>()) {}
CCalcScene::~CCalcScene() = default;

Bands CCalcScene::PointLevels(double, double, double) const { return Bands{}; }
