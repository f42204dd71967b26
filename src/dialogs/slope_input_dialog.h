#pragma once

// "성토 입력" and "절토 입력": the twin modeless windows in which the user creates, edits,
// copies and deletes the embankments (CSungto, CInputSungtoDlg) and the cuttings (CJulto,
// CInputJultoDlg). They work on a working list (deep copies of the document's list); the
// owner carries out the requests as for roads:
//   StoreRequested ("적용(&A)"), CommitRequested ("확인(&D)"), DeleteRequested ("제거(&X)"),
//   CloseRequested ("취소(&C)" or the close box),
// answering with StorePending() and DeleteSelected() and taking WorkingList().
// An entity is identified by start x, start y, end x, end y and height ("%.2f" each); the
// width is not part of it. The Escape key does nothing.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "dialogs/working_list.h"
#include "model/entities.h"

class QComboBox;
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

struct CSlopeFormWidgets {
    QComboBox* m_pId = nullptr;
    QLineEdit* m_pDescription = nullptr;
    QLineEdit* m_pStartX = nullptr;
    QLineEdit* m_pStartY = nullptr;
    QLineEdit* m_pEndX = nullptr;
    QLineEdit* m_pEndY = nullptr;
    QLineEdit* m_pHeight = nullptr;  // "Z" of the end-point row
    QLineEdit* m_pWidth = nullptr;
    CSlopeDirectionButtons* m_pDirection = nullptr;
    CBandRowWidget* m_pAbsorption = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCopy = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pDelete = nullptr;
};

class CSlopeInputDlg : public QDialog {
    Q_OBJECT
public:
    const CSlopeKind& Kind() const { return m_kind; }
    const CSlopeFormWidgets& Form() const { return m_form; }
    // 0-based position of the entity shown in the form; -1 while "NEW" is selected.
    int EditedIndex() const;

    // Owner side of a store: ignored for an all-zero key, refused with a message for a
    // duplicate, else appended or put in place; the form then shows the stored entity.
    EStoreResult StorePending();
    // Owner side of a delete: removes the selected entity (none for "NEW"), resets the form.
    bool DeleteSelected();

signals:
    void StoreRequested();
    void CommitRequested();
    void DeleteRequested();
    void CloseRequested();
    void FormChanged();  // an entity was loaded or the form reset: the views redraw

public slots:
    void reject() override;  // the close box: as "취소(&C)"

protected:
    CSlopeInputDlg(const CSlopeKind& kind, QWidget* parent);
    // Called by the concrete window once its working list is in place.
    void Start();

    virtual int Count() const = 0;
    virtual const CSlope& At(int index) const = 0;
    virtual EStoreResult StoreInList(const CSlope& slope, int index) = 0;
    virtual bool RemoveFromList(int index) = 0;

    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnApply();
    void OnOk();
    void OnCopy();
    void OnIdSelected();
    void OnAbsorptionEditing(bool editing);

private:
    void BuildForm();
    QWidget* MakeGeometryGroup();
    QWidget* MakeButtonRow();
    std::optional<CSlope> BuildFromForm();
    void Load(int index);
    void ResetForm();

    const CSlopeKind& m_kind;
    std::optional<CSlope> m_pending;
    int m_nPendingIndex = -1;
    CSlopeFormWidgets m_form;
};

// The window over a list of one kind (CSungto or CJulto; both are plain CSlope values).
template <class T>
class CSlopeInputDlgOf : public CSlopeInputDlg {
public:
    CSlopeInputDlgOf(const CSlopeKind& kind, const std::vector<T>& list, QWidget* parent)
        : CSlopeInputDlg(kind, parent), m_arrSlope(list)
    {
        Start();
    }
    const std::vector<T>& WorkingList() const { return m_arrSlope; }

protected:
    int Count() const override { return static_cast<int>(m_arrSlope.size()); }
    const CSlope& At(int index) const override { return m_arrSlope[static_cast<std::size_t>(index)]; }
    EStoreResult StoreInList(const CSlope& slope, int index) override
    {
        T entity;
        static_cast<CSlope&>(entity) = slope;
        return StoreEntity(m_arrSlope, entity, index, ReversedSlopeKey(slope), kSlopeKeyCoordinates);
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
