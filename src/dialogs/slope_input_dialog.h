#pragma once

// "성토 입력" and "절토 입력": the twin windows in which the user creates, edits, copies
// and deletes the embankments (CSungto, CInputSungtoDlg) and the cuttings (CJulto,
// CInputJultoDlg). They work on a working list (deep copies of the document's list); the
// owner carries out their requests as for the other input windows (entity_input_dialog.h)
// and takes WorkingList().
// An entity is identified by start x, start y, end x, end y and height ("%.2f" each); the
// width is not part of it.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/entity_input_dialog.h"
#include "model/entities.h"

class QLineEdit;
class QPushButton;
class CBandRowWidget;
class CSlopeDirectionButtons;

inline constexpr const char* kMsgDuplicateEmbankment = "동일한 성토가 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kMsgDuplicateCutting = "동일한 절토가 존재합니다. 다른 값을 넣으세요.";
inline constexpr const char* kDefaultEmbankmentDescription = "성토에 대한 설명을 입력하세요";
inline constexpr const char* kDefaultCuttingDescription = "절토에 대한 설명을 입력하세요";
constexpr double kDefaultSlopeAbsorption = 1.0;

// What tells the two windows apart.
struct CSlopeKind {
    const char* m_szName;  // "성토" or "절토": caption and labels are made from it
    const char* m_szDefaultDescription;
    const char* m_szDuplicateMessage;
    bool m_bCutting;  // pictures in opposite order; the reset keeps the direction
};
const CSlopeKind& EmbankmentKind();
const CSlopeKind& CuttingKind();

// Start x, start y, end x, end y, height, "%.2f" each; the reversed key swaps the ends.
std::string SlopeKey(const CSlope& slope);
std::string ReversedSlopeKey(const CSlope& slope);

// The project's base height: the smallest of 0 and the heights of the cuttings.
double BaseHeightOf(const std::vector<CJulto>& cuttings);

struct CSlopeFormWidgets : CEntityFormWidgets {
    QLineEdit* m_pStartX = nullptr;
    QLineEdit* m_pStartY = nullptr;
    QLineEdit* m_pEndX = nullptr;
    QLineEdit* m_pEndY = nullptr;
    QLineEdit* m_pHeight = nullptr;  // "Z" of the end-point row
    QLineEdit* m_pWidth = nullptr;
    CSlopeDirectionButtons* m_pDirection = nullptr;
    CBandRowWidget* m_pAbsorption = nullptr;
};

class CSlopeInputDlg : public CEntityInputDlg {
    Q_OBJECT
public:
    const CSlopeKind& Kind() const { return m_kind; }
    const CSlopeFormWidgets& Form() const { return m_form; }

protected:
    CSlopeInputDlg(const CSlopeKind& kind, QWidget* parent);

    virtual const CSlope& At(int index) const = 0;
    CPendingEntity<CSlope>& Pending() { return m_pending; }

    bool ReadPending() override;
    void Load(int index) override;
    void ResetForm() override;
    void ClearBeforeCommit() override;

private slots:
    void OnAbsorptionEditing(bool editing);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeButtonRow();
    std::optional<CSlope> BuildFromForm();

    const CSlopeKind& m_kind;
    CPendingEntity<CSlope> m_pending;
    CSlopeFormWidgets m_form;
};

// The window over a list of one kind (CSungto or CJulto; both are plain CSlope values).
template <class T>
class CSlopeInputDlgOf : public CSlopeInputDlg {
public:
    CSlopeInputDlgOf(const CSlopeKind& kind, std::vector<T> list, QWidget* parent)
        : CSlopeInputDlg(kind, parent), m_arrSlope(std::move(list))
    {
        Start();
    }
    const std::vector<T>& WorkingList() const { return m_arrSlope; }

protected:
    int Count() const override { return static_cast<int>(m_arrSlope.size()); }
    const CSlope& At(int index) const override { return m_arrSlope[static_cast<std::size_t>(index)]; }
    EStoreResult StorePendingInList() override
    {
        return StorePendingEntity(m_arrSlope, Pending(), ReversedSlopeKey, kSlopeKeyCoordinates);
    }
    bool RemoveFromList(int index) override { return RemoveEntity(m_arrSlope, index); }

private:
    static constexpr int kSlopeKeyCoordinates = 5;
    std::vector<T> m_arrSlope;
};

class CInputSungtoDlg : public CSlopeInputDlgOf<CSungto> {
public:
    explicit CInputSungtoDlg(const std::vector<CSungto>& list, QWidget* parent = nullptr)
        : CSlopeInputDlgOf<CSungto>(EmbankmentKind(), list, parent)
    {
    }
};

class CInputJultoDlg : public CSlopeInputDlgOf<CJulto> {
public:
    explicit CInputJultoDlg(const std::vector<CJulto>& list, QWidget* parent = nullptr)
        : CSlopeInputDlgOf<CJulto>(CuttingKind(), list, parent)
    {
    }
};
