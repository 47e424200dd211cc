// The data source and the data links that follow it.
#include "data/DB.h"

#include <algorithm>

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
    if (dataSet_) dataSet_->RemoveSource(this);
    dataSet_ = nullptr;
    std::vector<TDataLink*> links = links_;
    links_.clear();
    for (TDataLink* link : links) {
        link->source_ = nullptr;
        link->UpdateState();
        link->DataSourceChanged();
    }
}

// Links see the old set go inactive before the new one comes, so that a control never mixes
// the fields of two data sets.
void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) return;
    if (dataSet_) {
        dataSet_->RemoveSource(this);
        dataSet_ = nullptr;
        UpdateState();
    }
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->AddSource(this);
    UpdateState();
}

void TDataSource::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateState();
}

void TDataSource::DataSetGone() {
    dataSet_ = nullptr;
    UpdateState();
}

void TDataSource::UpdateState() {
    TDataSetState state = enabled_ && dataSet_ ? dataSet_->State() : dsInactive;
    if (state == state_) return;
    state_ = state;
    std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->UpdateState();
    if (OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent event, TField* field, int info) {
    if (event == TDataEvent::UpdateState) {
        UpdateState();
        return;
    }
    if (state_ == dsInactive) return;
    std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Notify(event, field, info);
    if (event == TDataEvent::UpdateRecord) {
        if (OnUpdateData) OnUpdateData(this);
    } else if (OnDataChange) {
        OnDataChange(this, field);
    }
}

TDataLink::~TDataLink() {
    if (source_)
        source_->links_.erase(std::remove(source_->links_.begin(), source_->links_.end(), this),
                              source_->links_.end());
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == source_) return;
    if (source_) {
        source_->links_.erase(std::remove(source_->links_.begin(), source_->links_.end(), this),
                              source_->links_.end());
        source_ = nullptr;
        UpdateState();
    }
    source_ = source;
    if (source_) source_->links_.push_back(this);
    UpdateState();
    DataSourceChanged();
}

TDataSet* TDataLink::DataSet() const {
    return source_ ? source_->DataSet() : nullptr;
}

void TDataLink::UpdateState() {
    const TDataSetState state = source_ ? source_->State() : dsInactive;
    const bool active = state != dsInactive;
    const bool editing = state == dsEdit || state == dsInsert;
    if (active != active_) {
        active_ = active;
        editing_ = editing;
        ActiveChanged();
        return;
    }
    if (editing != editing_) {
        editing_ = editing;
        EditingChanged();
    }
}

void TDataLink::Notify(TDataEvent event, TField* field, int info) {
    switch (event) {
    case TDataEvent::DataSetChanged:
        DataSetChanged();
        break;
    case TDataEvent::DataSetScroll:
        DataSetScrolled(info);
        break;
    case TDataEvent::RecordChanged:
        RecordChanged(field);
        break;
    case TDataEvent::UpdateRecord:
        UpdateData();
        break;
    case TDataEvent::LayoutChanged:
        LayoutChanged();
        break;
    case TDataEvent::UpdateState:
        break;
    }
}
