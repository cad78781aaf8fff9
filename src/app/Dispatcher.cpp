#include "app/Dispatcher.h"

#include "analysis/AnalysisFields.h"
#include "analysis/CharacterLookups.h"
#include "analysis/CompanyAnalysis.h"
#include "analysis/CompoundSurnames.h"
#include "analysis/NameAnalysis.h"
#include "analysis/NumberLookups.h"
#include "analysis/RefusalTexts.h"
#include "analysis/StrokeNumbersParser.h"
#include "app/AppInfo.h"
#include "app/MainView.h"
#include "app/Prompter.h"
#include "app/ReadingTexts.h"
#include "app/ReportInfo.h"
#include "app/ResultPane.h"
#include "app/ResultStore.h"
#include "birthchart/BirthChartReport.h"
#include "data/LibraryCorrection.h"
#include "data/StrokeLookup.h"
#include "naming/CandidateListing.h"
#include "naming/ClassicNameSearch.h"
#include "naming/ClassicNameText.h"
#include "naming/FindCharacterForm.h"
#include "naming/FixedListing.h"
#include "naming/FixedOptionsForm.h"
#include "naming/NamingFields.h"
#include "naming/NamingWizard.h"
#include "naming/SuggestionForm.h"
#include "naming/SuggestionText.h"
#include "naming/SurnameKindForm.h"
#include "text/Characters.h"
#include "text/VbText.h"

namespace tolvane {

Dispatcher::Dispatcher(AppPaths paths, ResultPane &pane, MainView &view, Prompter &prompter)
    : m_paths(std::move(paths))
    , m_pane(pane)
    , m_view(view)
    , m_prompter(prompter)
    , m_resultPath(m_paths.resultRtfPath())
{
}

template <typename T> std::optional<T> Dispatcher::absorb(Outcome<T> outcome)
{
    if (outcome.databaseFailed)
        m_state.databaseFailed = true;
    for (const UserMessage &message : outcome.messages)
        m_prompter.showMessage(message);
    return std::move(outcome.value);
}

void Dispatcher::answer(LookupAnswer outcome)
{
    if (const std::optional<LookupResult> result = absorb(std::move(outcome))) {
        m_pane.setText(result->text);
        m_state.resultFields = result->fields;
    }
    storeResult();
}

void Dispatcher::warnNoSuchOption()
{
    m_prompter.showMessage(UserMessage::warning(QStringLiteral("没有此选项，请与程序员联系。")));
}

void Dispatcher::prepare()
{
    m_view.showGrids(GridPanel {});
    m_pane.resetInsertionFormat();
    m_state.resultFields = {};
    m_state.databaseFailed = false;
    m_state.request.surnameLength = 0;
    m_state.request.firstStrokeStart = 1;
    m_view.setBusy(true);
}

void Dispatcher::execute(const DispatchInput &input)
{
    prepare();
    if (!input.function) {
        warnNoSuchOption();
        storeResult();
        return;
    }
    (this->*FunctionTable::row(*input.function).run)(input);
}

void Dispatcher::beginSession(const QString &reportHeader, const QString &reportFooter, const QString &startupText)
{
    m_state.request.groupLimit = 7;
    setReportHeaderFooter(reportHeader, reportFooter);
    m_pane.setText(startupText);
}

void Dispatcher::setReportHeaderFooter(const QString &header, const QString &footer)
{
    m_state.reportHeader = header;
    m_state.reportFooter = footer;
}

void Dispatcher::showReadingText(const QString &key)
{
    if (const std::optional<QString> content = absorb(ReadingTexts::lookup(m_paths.library(), key)))
        m_pane.setText(*content);
}

std::optional<QString> Dispatcher::correctStrokes(const QString &character, const QString &strokes)
{
    return absorb(LibraryCorrection::apply(m_paths.library(), character, strokes));
}

void Dispatcher::runPersonalNaming(const DispatchInput &input)
{
    // Three characters are a surname with one fixed given-name character and a dash.
    const PersonName &surnameTyped = input.name;
    if (surnameTyped.length() == 3) {
        runFixedCharacterNaming(surnameTyped);
        return;
    }

    m_view.setProgressPanelVisible(true);
    const StrokeLookup::Surname surname = *absorb(StrokeLookup::checkSurname(m_paths.library(), input.name));
    if (!surname.accepted) {
        finish();
        return;
    }
    NameRequest &request = m_state.request;
    request.surnameLength = surname.length;

    // The naming wizard fills the request, or withdraws it.
    WizardFlags flags;
    NamingWizard wizard(request, flags, NamingWizard::Purpose::PersonalNaming);
    m_prompter.runNamingWizard(wizard);
    if (wizard.busyRequested())
        m_view.setBusy(true);

    SearchInput search;
    search.surnameLength = int(surnameTyped.length());
    search.surnameStrokes = surname.strokes;
    search.nameLength = request.nameLength;
    search.sex = request.sex;
    search.luckLevel = request.luckLevel;
    search.firstStrokeStart = request.firstStrokeStart;
    search.groupLimit = request.groupLimit;
    ConfigTables configs;
    ConfigSearch::search(search, configs);
    if (configs.configNext == 1) {
        m_prompter.showMessage(UserMessage::warning(QStringLiteral("对不起，本程序没有找出任何良好名字。您可通过")
            + QStringLiteral("更改名字字数、允许半吉再试试。")));
        finish();
        return;
    }
    // A cancelled wizard leaves the pane as it was: it may hold what the user wrote or edited there.
    if (flags.namingCancelled) {
        finish();
        return;
    }
    const QString summary = chartPrefaceText() + ConfigSearch::summary(search, configs);
    m_pane.setText(summary);
    m_state.resultFields = configurationFields(surnameTyped.text(),
        QList<int>(surname.strokes.begin(), surname.strokes.begin() + search.surnameLength), request, configs);
    m_state.resultFields.insert(QStringLiteral("text"), withLineFeeds(summary));
    addChartFields();

    FindCharacterForm form(request, flags, configs.groupCount());
    m_prompter.askFindCharacters(form);
    if (form.busyRequested())
        m_view.setBusy(true);
    m_pane.repaint();
    if (flags.namingCancelled) {
        finish();
        return;
    }

    // Names from the classics come with their verses, the names' characters in bold.
    QString reportText;
    std::optional<MarkedText> classicNames;
    QJsonArray listedGroups;
    if (request.classics) {
        // The verses are searched over every good configuration, not only the groups the summary shows.
        const ClassicListing listing = ClassicNameSearch::run(surnameTyped.text(), ConfigSearch::everyGood(search),
            request, *request.classics, m_paths.library(), m_paths.classics());
        if (!(classicNames = classicNamesText(listing))) {
            finish();
            return;
        }
        reportText = classicNames->text;
        listedGroups = classicGroupFields(listing);
    } else {
        CandidateListing::Input listing;
        listing.surname = surnameTyped.text();
        listing.request = request;
        listing.configs = &configs;
        const std::optional<CandidateListing::Listing> result
            = absorb(CandidateListing::run(listing, m_paths.library(), &m_view));
        if (!result || result->namingAborted) {
            finish();
            return;
        }
        reportText = result->reportText;
        listedGroups = listedGroupFields(result->groups, request.nameLength);
    }
    // The listing's groups (or the names from the classics) join the configurations.
    m_state.resultFields.insert(QStringLiteral("groups"), listedGroups);
    m_state.resultFields.insert(QStringLiteral("text"), withLineFeeds(chartPrefaceText() + reportText));
    if (classicNames) {
        MarkedText shown;
        shown.append(chartPrefaceText());
        shown.append(*classicNames);
        m_pane.setMarkedText(shown);
    } else {
        m_pane.setText(chartPrefaceText() + reportText);
    }
    storeResult();
}

std::optional<MarkedText> Dispatcher::classicNamesText(const ClassicListing &listing)
{
    // The search takes a few milliseconds and drives no progress bars; none stay from an earlier listing.
    m_view.setProgressBarsVisible(false);
    if (listing.databaseFailed)
        m_state.databaseFailed = true;
    if (listing.message)
        m_prompter.showMessage(*listing.message);
    if (listing.namesFound() == 0)
        return std::nullopt;
    return ClassicNameText::listing(listing);
}

void Dispatcher::runFixedCharacterNaming(const PersonName &pattern)
{
    const std::optional<StrokeLookup::FixedPattern> read
        = absorb(StrokeLookup::parseFixedPattern(m_paths.library(), pattern));
    if (!read) {
        finish();
        return;
    }
    const StrokeLookup::FixedPattern &parsed = *read;
    // Exactly one of the two given-name positions must be the one to find; a pattern with two dashes has no
    // fixed character.
    const QString dash = QStringLiteral("-");
    if ((parsed.chars[1] == dash) == (parsed.chars[2] == dash) || !parsed.fixedCharStrokes) {
        m_prompter.showMessage(
            UserMessage::plain(QStringLiteral("“个人起名”功能，您输入的姓氏超过两个字，或没有输入“-”。")));
        finish();
        return;
    }

    bool cancelled = false;
    NameRequest &request = m_state.request;
    FixedOptionsForm options(request, cancelled);
    m_prompter.askFixedOptions(options);
    if (cancelled) {
        finish();
        return;
    }
    FixedSearchInput search;
    search.firstFree = parsed.chars[1] == dash;
    search.surnameStrokes = parsed.surnameStrokes;
    search.fixedStrokes = *parsed.fixedCharStrokes;
    search.sex = request.sex;
    search.luckLevel = request.luckLevel;
    search.groupLimit = request.groupLimit;
    FixedTables fixed;
    const int configNext = FixedConfigSearch::search(search, fixed);
    const int found = configNext - 1;
    const FixedNamingFacts facts { pattern.text(), search.surnameStrokes, search.fixedStrokes, search.firstFree };
    if (found == 0) {
        // Where no choice of options finds a configuration, advising to change them would send the person
        // round in circles: say that the fixed character is the cause.
        const bool fixedIsSecond = search.firstFree;
        if (!FixedConfigSearch::anyOptionFinds(search.surnameStrokes, search.fixedStrokes, search.firstFree)) {
            m_prompter.showMessage(RefusalTexts::fixedCharacterAlwaysUnlucky(parsed.chars[0],
                parsed.chars[fixedIsSecond ? 2 : 1], fixedIsSecond,
                FixedConfigSearch::anyOptionFinds(search.surnameStrokes, search.fixedStrokes, !search.firstFree)));
        } else {
            m_prompter.showMessage(
                UserMessage::plain(QStringLiteral("对不起，没有找出一组合适的名字来。请更改一些选项后再试试。")));
        }
        finish();
        return;
    }
    if (request.classics) {
        const ClassicSet classics = *request.classics;
        m_pane.setText(QStringLiteral("共有") + decimal(found) + QStringLiteral("组字可选，程序正为您在")
            + classics.names(QStringLiteral("、")) + QStringLiteral("中找名字，请等待..."));
        m_pane.repaint();
        m_view.setBusy(true);
        // The verses are searched over every good configuration, not only the groups the summary shows.
        const ClassicListing listing = ClassicNameSearch::runFixed(parsed.chars[0],
            parsed.chars[search.firstFree ? 2 : 1], search.firstFree, FixedConfigSearch::everyGood(search), request,
            classics, m_paths.library(), m_paths.classics());
        // The configurations stay on the pane when no name is found, as after a library listing.
        MarkedText text;
        text.append(chartPrefaceText() + fixed.configText + kCrLf + kCrLf);
        if (const std::optional<MarkedText> names = classicNamesText(listing))
            text.append(*names);
        m_pane.setMarkedText(text);
        m_state.resultFields = fixedNamingFields(facts, request, {});
        m_state.resultFields.insert(QStringLiteral("groups"), classicGroupFields(listing, search.fixedStrokes));
        m_state.resultFields.insert(QStringLiteral("text"), withLineFeeds(text.text));
        addChartFields();
        finish();
        return;
    }
    m_pane.setText(
        QStringLiteral("共有") + decimal(found) + QStringLiteral("组字可选，程序正为您在字库找字，请等待..."));
    m_pane.repaint();
    m_view.setBusy(true);
    const std::optional<FixedListing::Listing> listing
        = absorb(FixedListing::run(fixed, configNext, request, m_paths.library(), &m_view));
    // After a failed library nothing is listed.
    m_pane.setText(chartPrefaceText() + fixed.configText + kCrLf + kCrLf + (listing ? listing->listingText : QString()));
    if (listing) {
        m_state.resultFields = fixedNamingFields(facts, request, *listing);
        m_state.resultFields.insert(QStringLiteral("text"), withLineFeeds(m_pane.text()));
        addChartFields();
    }
    finish();
}

std::optional<Dispatcher::AnalysedName> Dispatcher::analyzeName(const PersonName &typed)
{
    if (const std::optional<UserMessage> message = NameAnalysis::checkLength(typed)) {
        m_prompter.showMessage(*message);
        return std::nullopt;
    }

    // Two characters are a single surname and a single given name; otherwise the person says, with the kind the
    // compound-surname list gives preselected.
    NameRequest &request = m_state.request;
    request.surnameKind.reset();
    if (typed.length() == 2) {
        request.surnameKind = SurnameKind::Single;
        m_view.setBusy(true);
    } else {
        WizardFlags flags;
        NamingWizard wizard(request, flags, NamingWizard::Purpose::NameAnalysis);
        wizard.suggestSurnameKind(CompoundSurnames::read(m_paths.compoundSurnamesPath()).kindOf(typed));
        m_prompter.runNamingWizard(wizard);
        if (wizard.busyRequested())
            m_view.setBusy(true);
    }
    if (!request.surnameKind)
        return std::nullopt;

    const std::optional<QList<int>> strokes = absorb(StrokeLookup::strokesOfName(m_paths.library(), typed));
    if (!strokes)
        return std::nullopt;
    AnalysedName analysed { typed.withSurnameKind(*request.surnameKind), *strokes, {}, {} };
    analysed.grids = NameAnalysis::gridsFor(*strokes, analysed.name);
    analysed.heading = NameAnalysis::nameHeading(typed.text(), *strokes, analysed.grids);
    m_view.showGrids(GridPanel::forName(typed, *strokes, analysed.grids));
    return analysed;
}

void Dispatcher::runNameAnalysis(const DispatchInput &input)
{
    m_view.setGridPanelEnabled(true);
    m_view.setProgressPanelVisible(false);
    const std::optional<AnalysedName> analysed = analyzeName(input.name);
    if (!analysed) {
        finish();
        return;
    }
    QString reportText;
    if (const std::optional<NameReport> report = buildReport(analysed->heading, analysed->grids, reportText)) {
        // How the name sounds comes last, after the numerology.
        const PersonName &name = analysed->name;
        QString problem;
        std::optional<NameSound> sound;
        if (const NameSoundChecker *checker = soundChecker(&problem)) {
            sound = checker->check(name.surname(), name.givenName());
            reportText += NameSoundChecker::reportSection(*sound);
        } else {
            reportText += NameSoundChecker::missingSection(problem);
        }
        m_state.resultFields = nameAnalysisFields(name, analysed->strokes, *report, reportText);
        m_state.resultFields.insert(QStringLiteral("sound"),
            sound ? QJsonValue(NameSoundChecker::fields(*sound)) : QJsonValue(QJsonValue::Null));
    }
    // Info.txt is read again before every report, so an edit made outside the program shows at once.
    const ReportInfo::Texts info = ReportInfo::load(m_paths.infoPath());
    setReportHeaderFooter(info.header, info.footer);
    m_pane.setText(ReportInfo::wrapReport(m_state.reportHeader, reportText, m_state.reportFooter));
    storeResult();
}

std::optional<NameReport> Dispatcher::buildReport(const QString &heading, const FiveGrids &grids, QString &text)
{
    std::optional<NameReport> report = absorb(NameAnalysis::read(grids, m_paths.library()));
    if (report)
        text = NameAnalysis::text(heading, *report);
    return report;
}

const NameSoundChecker *Dispatcher::soundChecker(QString *problem)
{
    if (!m_sound)
        m_sound = NameSoundChecker::load(m_paths.nameSoundPath(), problem);
    return m_sound ? &*m_sound : nullptr;
}

void Dispatcher::runCompanyAnalysis(const DispatchInput &input)
{
    if (const std::optional<CompanyReport> report
        = absorb(CompanyAnalysis::analyze(input.name.text(), m_paths.library()))) {
        if (report->replacement)
            m_pane.setText(*report->replacement);
        if (!report->appended.isEmpty())
            m_pane.setText(m_pane.text() + report->appended);
        m_state.resultFields = CompanyAnalysis::fields(*report);
    }
    storeResult();
}

void Dispatcher::runLookup(const DispatchInput &input)
{
    m_view.setOtherPanelEnabled(true);
    if (!input.lookup) {
        warnNoSuchOption();
        storeResult();
        return;
    }
    (this->*FunctionTable::row(*input.lookup).run)(input.other);
}

void Dispatcher::showPersonalNumber(const QString &input)
{
    answer(NumberLookups::personalNumber(input, m_paths.library()));
}

void Dispatcher::showCompanyNumber(const QString &input)
{
    answer(NumberLookups::companyNumber(input, m_paths.library()));
}

void Dispatcher::showSancai(const QString &input)
{
    answer(NumberLookups::sancai(input, m_paths.library()));
}

void Dispatcher::showPersonOuterPairing(const QString &input)
{
    answer(NumberLookups::personOuterPairing(input, m_paths.library()));
}

namespace {

// The character lookups scan on the window's thread: their notice is painted before the scans start.
WaitNotice paintedNotice(ResultPane &pane)
{
    return [&pane](const QString &text) {
        pane.setText(text);
        pane.repaint();
    };
}

} // namespace

void Dispatcher::showCharacterStrokes(const QString &input)
{
    answer(CharacterLookups::characterStrokes(input, m_paths.library(), paintedNotice(m_pane)));
}

void Dispatcher::listCharactersByStrokes(const QString &input)
{
    answer(CharacterLookups::charactersByStrokes(input, m_paths.library(), paintedNotice(m_pane)));
}

void Dispatcher::listHomophones(const QString &input)
{
    answer(CharacterLookups::homophones(input, m_paths.library(), paintedNotice(m_pane)));
}

void Dispatcher::showCharacterMeanings(const QString &input)
{
    QString problem;
    answer(CharacterLookups::characterMeanings(
        input, m_paths.library(), AppInfo::webAddress(), paintedNotice(m_pane), soundChecker(&problem)));
}

void Dispatcher::showBirthChart(const QString &input)
{
    const ParsedInput<BirthChart> chart = chartForBirth(input);
    if (!chart.value) {
        answer(LookupAnswer::refused(*chart.rejection));
        return;
    }
    const QString report = formatBirthChartReport(*chart.value);
    QJsonObject fields = birthChartJson(*chart.value);
    fields.insert(QStringLiteral("text"), report);
    answer(LookupResult { QString(report).replace(QLatin1Char('\n'), kCrLf), fields });
}

void Dispatcher::analyzeStrokeNumbers(const QString &input)
{
    bool abandoned = false;
    QString reportText;
    if (const std::optional<QList<int>> numbers = absorb(StrokeNumbersParser::parse(input))) {
        NameRequest &request = m_state.request;
        request.surnameKind.reset();
        if (numbers->size() == 2) {
            request.surnameKind = SurnameKind::Single;
        } else {
            SurnameKindForm form(request);
            m_prompter.askSurnameKind(form);
            abandoned = !request.surnameKind;
        }
        if (request.surnameKind) {
            const FiveGrids grids = NameAnalysis::gridsFor(*numbers, request.surnameKind == SurnameKind::Compound);
            if (const std::optional<NameReport> report
                = buildReport(NameAnalysis::strokeNumbersHeading(trimSpaces(input), grids), grids, reportText))
                m_state.resultFields = strokeNumbersFields(*numbers, *request.surnameKind, *report, reportText);
        }
    }
    // A text of fewer than two characters was never a stroke list, and a surname kind left unanswered withdraws
    // the question: the pane stays as it was. Otherwise the report replaces it, and a rejected input empties it.
    if (splitCharacters(input).size() < 2 || abandoned) {
        finish();
        return;
    }
    m_pane.setText(reportText);
    storeResult();
}

std::optional<FavouriteNames::Name> Dispatcher::splitFullName(const PersonName &typed) const
{
    if (typed.length() < 2 || typed.length() > 4)
        return std::nullopt;
    const PersonName name = typed.withSurnameKind(typed.length() == 4
            ? SurnameKind::Compound
            : CompoundSurnames::read(m_paths.compoundSurnamesPath()).kindOf(typed));
    return FavouriteNames::Name { name.surname(), name.givenName() };
}

SuggestionSources Dispatcher::suggestionSources()
{
    SuggestionSources sources;
    sources.library = m_paths.library();
    sources.classics = m_paths.classics();
    sources.wordsPath = m_paths.nameWordsPath();
    QString problem;
    if (const NameSoundChecker *checker = soundChecker(&problem)) {
        sources.sound = [checker](const QString &surname, const QString &given) -> std::optional<SoundVerdict> {
            const NameSound sound = checker->check(surname, given);
            SoundVerdict verdict;
            verdict.pinyin = sound.pinyin;
            // Only a homophone whose tones match as well sinks a name; a name all in one tone, a character read
            // two ways or neighbours alike in sound are reasons to read it aloud once more, not to drop it.
            for (const SoundFinding &finding : sound.findings) {
                const bool strong = finding.strong && finding.kind == SoundFinding::Kind::Homophone;
                (strong ? verdict.strong : verdict.weak).append(finding.text);
            }
            return verdict;
        };
    }
    return sources;
}

namespace {

// The elements a birth suggests for the name and the lines that say why; the one place where the suggested names
// and their comparison read a birth chart. Nothing, with the message, when the birth cannot be read.
ParsedInput<BirthElementAdvice> elementsForBirth(const QString &birth)
{
    return adviseElementsForBirth(birth);
}

} // namespace

void Dispatcher::runSuggestedNames(const DispatchInput &input)
{
    m_view.setProgressPanelVisible(false);
    SuggestionForm form;
    form.request.surname = input.name.text();
    // The library and every collection, unless the person chooses otherwise.
    form.request.classics = ClassicSet::all();
    if (const std::optional<UserMessage> problem = NameSuggestions::requestProblem(form.request)) {
        m_prompter.showMessage(*problem);
        finish();
        return;
    }
    m_view.setBusy(false);
    m_prompter.askSuggestionOptions(form);
    if (!form.accepted) {
        finish();
        return;
    }
    m_view.setBusy(true);
    suggest(form);
}

void Dispatcher::suggest(const SuggestionForm &form)
{
    SuggestionRequest request = form.request;
    QString birthNote;
    QJsonObject birthFields;
    if (!form.birth.trimmed().isEmpty()) {
        const ParsedInput<BirthElementAdvice> advice = elementsForBirth(form.birth);
        if (!advice.value) {
            m_prompter.showMessage(*advice.rejection);
            finish();
            return;
        }
        request.elements = advice.value->elements;
        // The chart's pillars, the elements taken and why, as every naming from a birth time begins.
        birthNote = advice.value->header.trimmed();
        birthFields = advice.value->headerFields;
    }
    const Suggestions suggestions = NameSuggestions::run(request, suggestionSources());
    if (suggestions.databaseFailed)
        m_state.databaseFailed = true;
    if (suggestions.message)
        m_prompter.showMessage(*suggestions.message);
    if (suggestions.names.isEmpty()) {
        finish();
        return;
    }
    m_lastSuggestions = suggestions.names;
    m_lastSuggestionRequest = request;
    const QString text = SuggestionText::shortlist(suggestions, birthNote);
    m_pane.setText(text);
    if (m_resultFieldsWanted) {
        m_state.resultFields = SuggestionText::shortlistFields(suggestions);
        if (!birthNote.isEmpty()) {
            m_state.resultFields.insert(QStringLiteral("birth"), birthNote);
            m_state.resultFields.insert(QStringLiteral("birthChart"), birthFields);
        }
        m_state.resultFields.insert(QStringLiteral("text"), withLineFeeds(text));
    }
    storeResult();
}

void Dispatcher::compareNames(
    const QList<FavouriteNames::Name> &names, Sex sex, const ElementSet &elements, const QString &birth)
{
    prepare();
    m_view.setProgressPanelVisible(false);
    if (names.size() < 2 || names.size() > 5) {
        m_prompter.showMessage(UserMessage::warning(QStringLiteral("请选择两到五个名字来比较。")));
        finish();
        return;
    }
    ElementSet wishes = elements;
    if (!birth.trimmed().isEmpty()) {
        const ParsedInput<BirthElementAdvice> advice = elementsForBirth(birth);
        if (!advice.value) {
            m_prompter.showMessage(*advice.rejection);
            finish();
            return;
        }
        wishes = advice.value->elements;
    }
    QList<SuggestedName> judged;
    for (const FavouriteNames::Name &name : names) {
        std::optional<SuggestedName> one
            = absorb(NameSuggestions::judge(name.surname, name.given, sex, wishes, suggestionSources()));
        if (!one) {
            finish();
            return;
        }
        judged.append(*one);
    }
    const QString text = SuggestionText::comparison(judged);
    m_pane.setText(text);
    m_state.resultFields = SuggestionText::comparisonFields(judged);
    m_state.resultFields.insert(QStringLiteral("text"), withLineFeeds(text));
    storeResult();
}

void Dispatcher::storeResult()
{
    if (!m_resultPath.isEmpty()) {
        const QString error = ResultStore::write(m_pane.document(), m_resultPath);
        if (error.isEmpty()) {
            m_storeFailureShown = false;
        } else if (!m_storeFailureShown) {
            // The result stays in the pane; only the copy in name.rtf is missing. Say so once, not at every run.
            m_view.showStatus(QStringLiteral("无法保存结果文件 %1：%2").arg(m_resultPath, error));
            m_storeFailureShown = true;
        }
    }
    finish();
}

QString Dispatcher::chartPrefaceText() const
{
    if (!m_state.request.chartPreface)
        return {};
    QString text = m_state.request.chartPreface->text;
    text.replace(QLatin1Char('\n'), kCrLf);
    return text + kCrLf;
}

void Dispatcher::addChartFields()
{
    if (m_state.request.chartPreface)
        m_state.resultFields.insert(QStringLiteral("birthChart"), m_state.request.chartPreface->fields);
}

void Dispatcher::finish()
{
    m_view.setBusy(false);
}

} // namespace tolvane
