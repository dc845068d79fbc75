#include "engine/run/multi_job_dialog.h"

#include "engine/run/multi_job.h"

namespace quorrix::engine {

namespace {

constexpr PreJobBrowseTexts kSettingsFileTexts { 19, 17 };
constexpr PreJobBrowseTexts kListFileTexts { 13, 12 };

} // namespace

bool preJobTakesFile(const std::string& type)
{
    return preJobBrowseTexts(type).has_value();
}

std::optional<PreJobBrowseTexts> preJobBrowseTexts(const std::string& type)
{
    if (type == kPreJobLoadSettings)
        return kSettingsFileTexts;
    if (type == kPreJobLoadQRXList)
        return kListFileTexts;
    return std::nullopt;
}

MultiJobWorkingCopy::MultiJobWorkingCopy(const Settings& settings)
    : m_steps(settings.MultiJobAction)
{
    for (std::size_t n = 0; n < m_preJobs.size(); ++n)
        m_preJobs[n] = { settings.MultiJobPreType[n], settings.MultiJobPreTypeParam[n] };
}

void MultiJobWorkingCopy::choosePreJob(int row, const std::string& type)
{
    PreJobRow& target = m_preJobs[static_cast<std::size_t>(row)];
    target.type = type;
    if (preJobTakesFile(type))
        target.parameter.clear();
}

void MultiJobWorkingCopy::setParameter(int row, const std::string& text)
{
    m_preJobs[static_cast<std::size_t>(row)].parameter = text;
}

void MultiJobWorkingCopy::setStep(int slot, const std::string& text)
{
    m_steps[static_cast<std::size_t>(slot)] = text;
}

void MultiJobWorkingCopy::store(Settings& settings) const
{
    for (std::size_t n = 0; n < m_preJobs.size(); ++n) {
        settings.MultiJobPreType[n] = m_preJobs[n].type;
        settings.MultiJobPreTypeParam[n] = m_preJobs[n].parameter;
    }
    settings.MultiJobAction = m_steps;
}

} // namespace quorrix::engine
