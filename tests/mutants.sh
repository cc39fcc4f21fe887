#!/usr/bin/env bash
# Deliberate faults: applies each small source edit listed below, one at a time, rebuilds what it
# touches in a build folder of its own, runs the few test programs that should notice it, and puts
# the source back (also on Ctrl+C). A mutant is "killed" when a test program fails, "SURVIVED" when
# all pass, and "not applied" when its pattern is no longer in the source (after a refactor).
#
#   tests/mutants.sh              every mutant
#   tests/mutants.sh ID...        only these
#   ORVO_MUTANTS_BUILD_DIR=dir    the build folder (build-mutants)
# Exit status: 0 when no mutant survived and the unmutated tests passed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${ORVO_MUTANTS_BUILD_DIR:-build-mutants}
export QT_QPA_PLATFORM=offscreen GTEST_FAIL_FAST=1

ids=() files=() olds=() news=() tests=()
# m ID FILE OLD NEW "TEST..."   OLD must occur exactly once in FILE. A test is a test program's
# target, or ctest:LABEL:TARGET for the CTest entries with that label after building TARGET.
m() { ids+=("$1"); files+=("$2"); olds+=("$3"); news+=("$4"); tests+=("$5"); }

img=orvo_core_tests
cli="orvo_cli_tests"
link="link_tests protocol_step_tests ctest:fault_matrix:fault_matrix"
tm="orvo_core_tests orvo_cli_tests ctest:fault_matrix:fault_matrix"

# The frequency check of the editor's cells.
m fc-band-low src/core/editing/frequency_check.cpp 'check.units < band->lowest' 'check.units <= band->lowest' $img
m fc-highest src/core/editing/frequency_check.cpp 'n <= kHighestFrequency' 'n < kHighestFrequency' $img
m fc-raster src/core/editing/frequency_check.cpp 'check.units % kRaster625 != 0 && check.units' 'check.units % kRaster625 != 0 || check.units' $img
m fc-enter-stops src/core/editing/frequency_check.cpp 'if (variant == CommitVariant::Enter)
            return check;' 'if (variant == CommitVariant::Enter) {}' $img
m fc-rounding src/core/editing/frequency_check.cpp '    n += 0.05;' '    n += 0.0;' $img
m fc-tx-follows src/core/editing/frequency_check.cpp 'cell(row, kColTransmit) = text;' ';' $img
m fc-tone-goes src/core/editing/frequency_check.cpp 'cell(row, column == kColReceive ? kColRxTone : kColTxTone).clear();' ';' $img
# Tones.
m tone-swap src/core/image/tone_codec.cpp '670,  693,' '693,  670,' "$img $cli"
m tone-inverted src/core/image/tone_codec.cpp 'const bool inverted = high >= 0xC0;' 'const bool inverted = high > 0xC0;' $img
m tone-d0 src/core/image/tone_codec.cpp 'd == 0 ? "D0" : "D"' '"D"' $img
m tone-dcs-base src/core/image/tone_codec.cpp '? 0x80 : 0xC0' '? 0xC0 : 0x80' $img
m tone-too-high src/core/image/tone_codec.cpp '    if (tenths <= 0 || tenths >= 10000)
        return {0xFF, 0xFF};' '    if (tenths <= 0 || tenths > 10000)
        return {0xFF, 0xFF};' $img
# Channels, settings and the image file.
m ch-step-flag src/core/image/channel_codec.cpp 'v >= kStepFlagFloor || v % 625 == 0' 'v >= kStepFlagFloor && v % 625 == 0' $img
m ch-zero-byte src/core/image/channel_codec.cpp 'field[3] != 0xFF && field[3] != 0x00' 'field[3] != 0xFF' $img
m ch-narrow src/core/image/channel_codec.cpp 'texts[kColWidth - 1] != "Wide"' 'texts[kColWidth - 1] == "Narrow"' $img
m ch-scan-words src/core/image/channel_codec.cpp '(flags & kScanBit) ? QT_TRANSLATE_NOOP("orvo", "Add")' '(flags & kScanBit) == 0 ? QT_TRANSLATE_NOOP("orvo", "Add")' $img
m ch-rounding src/core/image/channel_codec.cpp '    v += 0.05;' '    v += 0.0;' $img
m set-squelch src/core/image/settings_codec.cpp 'squelch <= 9 ? squelch : 0' 'squelch < 9 ? squelch : 0' $img
m set-voice src/core/image/settings_codec.cpp '(voice == 1 ? 1 : 3)' '(voice == 1 ? 1 : 2)' $img
m set-model src/core/image/settings_codec.cpp '        image[kModelByte] = kModelZt4;
    }' '    }' $img
m img-short-file src/core/formats/channel_file.cpp 'if (bytes.size() < kImageSize)' 'if (bytes.size() + 1 < kImageSize)' "$img $cli"
m file-keeps-mode src/core/formats/atomic_file_posix.cpp 'if (exists)
        ::fchmod(' 'if (false)
        ::fchmod(' "$img $cli"
m file-symlink src/core/formats/atomic_file_posix.cpp 'target = reachedPath(reached.get(), path);' ';' "$img $cli"
m file-not-regular src/core/formats/atomic_file_posix.cpp 'if (!S_ISREG(old.st_mode))
            return' 'if (false)
            return' "$img $cli"
m file-leftovers src/core/formats/atomic_file_posix.cpp '    removeLeftovers(target.path);' '' "$img $cli"
# The clone transfer and the serial line.
m clone-block-address src/core/link/clone_session.cpp 'static_cast<std::uint8_t>(address >> 8)' 'static_cast<std::uint8_t>(address >> 9)' "$link"
m clone-11-byte-reply src/core/link/clone_session.cpp '== static_cast<long>(kReplyLength);' '>= static_cast<long>(kReplyLength) - 1;' "$link"
m clone-attempts src/core/link/clone_session.cpp 'if (++attempt > limit)' 'if (++attempt >= limit)' "$link"
m clone-entry-cycles src/core/link/clone_session.cpp 'waitingCycles(601, 1)' 'waitingCycles(600, 1)' "$link"
m clone-read-ack src/core/link/clone_session.cpp 'if (readByte(ack) != 1 || ack != kAck) {' 'if (readByte(ack) < 0) {' "$link"
m clone-retry src/core/link/clone_session.cpp 'MessageKind::CommunicationError, CloneHost::Buttons::RetryCancel' 'MessageKind::CommunicationError, CloneHost::Buttons::Ok' "$link"
m clone-surplus-byte src/core/link/clone_session.cpp 'if (!whole || surplusByteFollows()) {' 'if (!whole) {' "$link $cli"
m clone-write-data src/core/link/clone_session.cpp 'm_line.write(image.bytes.data() + address, 8);' 'm_line.write(image.bytes.data() + (address ^ 8), 8);' "$link"
m line-partial-read src/serial/qt_serial_line.cpp 'return static_cast<long>(count);' 'return count == n ? static_cast<long>(count) : 0;' "$link"
m port-chosen src/core/link/port_names.cpp 'if (!chosen.empty())
        return chosen;' '' "$link"
m port-no-device cli/port_verbs.cpp 'std::fprintf(stderr, "%s has no device\n", escapedText(port).c_str());' '' "$cli"
m port-reason src/core/link/port_names.cpp '{escapedText(device), reason}' '{escapedText(device), ""}' "$cli"
m worker-cancel src/serial/radio_worker.cpp 'return m_box.cancel ? Cycle::Cancel : Cycle::Continue;' 'return Cycle::Continue;' transfer_test
m line-purge-output src/serial/qt_serial_line.cpp 'm_port.clear(QSerialPort::Input);' 'm_port.clear(QSerialPort::AllDirections);' "$link"
m posix-partial-read src/serial/posix_serial_line.cpp 'return static_cast<long>(count);' 'return count == n ? static_cast<long>(count) : 0;' "$link"
m lock-dead-holder src/serial/port_lock.cpp 'if (::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH)
        return true;' '' "$link"
# Test mode.
m tm-bcd src/core/testmode/testmode_frames.cpp '((pair / 10) << 4)' '((pair / 10) << 3)' "$tm"
m tm-frame-byte src/core/testmode/testmode_frames.cpp 'frame[4] = 0xFB;' 'frame[4] = 0xFA;' "$tm"
m tm-value-range src/core/testmode/testmode_frames.cpp 'request.value > 255' 'request.value > 256' "$tm"
m tm-item-command src/core/testmode/testmode_frames.cpp 'return 0x73;' 'return 0x75;' "$tm"
m tm-extra-read src/core/testmode/testmode_session.cpp '        if (!readExpected(line, kAck))
            return false;
    }' '        return false;
    }' "$tm"
m tm-completion src/core/testmode/testmode_session.cpp 'writeByte(line, kCompletion);' 'writeByte(line, kH);' "$tm"
m tm-retry src/core/testmode/testmode_session.cpp 'MessageKind::TestModeTryAgain, TestModeHost::Buttons::RetryCancel' 'MessageKind::TestModeTryAgain, TestModeHost::Buttons::Ok' "$tm"
# The band's edges, wherever a band is checked.
doc=document_tests
m be-list-high src/core/editing/band_check.cpp 'units <= band->highest' 'units < band->highest' $doc
m be-list-low src/core/editing/band_check.cpp 'units >= band->lowest' 'units > band->lowest' $doc
m be-model-high src/document/channel_model.cpp 'units <= band->highest' 'units < band->highest' $doc
m be-model-low src/document/channel_model.cpp 'units >= band->lowest' 'units > band->lowest' $doc
m be-typed-high src/core/editing/frequency_check.cpp 'check.units > band->highest' 'check.units >= band->highest' $doc
m be-band-table src/core/image/settings_codec.cpp '0xF6, 40000000, 47000000' '0xF6, 40000000, 46999375' $doc
m be-debug-low src/core/testmode/debug_frequency.cpp 'scaled < static_cast<double>(lower))' 'scaled < static_cast<double>(lower) - 625)' $doc
# The protocols' pauses and time-outs, step by step.
steps=protocol_step_tests
m pause-read-ack src/core/link/clone_session.cpp 'm_line.pauseSince(replyArrived, 10);' 'm_line.pauseSince(replyArrived, 2);' $steps
m pause-read-next src/core/link/clone_session.cpp 'return Step::Cancel;
        m_line.pause(10);' 'return Step::Cancel;
        m_line.pause(1);' $steps
m pause-write-next src/core/link/clone_session.cpp 'return Step::Cancel;
        m_line.pause(2);' 'return Step::Cancel;' $steps
m pause-wake src/core/link/clone_session.cpp '        m_line.pause(1);

        // The radio may send' '
        // The radio may send' $steps
m pause-wake-cycles src/core/link/clone_session.cpp 'waitingCycles(12, 1)' 'waitingCycles(12, 0)' $steps
m pause-ident src/core/link/clone_session.cpp 'm_line.pause(2);
    m_line.purge();
    writeByte(kStx);' 'm_line.pause(1);
    m_line.purge();
    writeByte(kStx);' $steps
m tm-pause-request src/core/testmode/testmode_session.cpp 'line.pause(500);' 'line.pause(50);' $steps
m tm-pause-entry src/core/testmode/testmode_session.cpp '    line.pause(1);
    writeByte(line, kDebugEntry);' '    writeByte(line, kDebugEntry);' $steps
m tm-timeouts src/core/testmode/testmode_session.cpp 'kTestModeTimeouts{10, 50, 50, 50, 50}' 'kTestModeTimeouts{10, 50, 200, 50, 50}' $steps
# Where the report's texts go.
rep=report_pdf_tests
m rep-cell-x src/core/report/report_layout.cpp '{6, 18, 32, 42, 52}' '{6, 18, 31, 42, 52}' $rep
m rep-gap src/core/report/report_layout.cpp 'truncated(y - 1.2 * p)' 'truncated(y - 1.3 * p)' $rep
m rep-title-x src/core/report/report_layout.cpp 'metrics.pageCentre - 14 * w' 'metrics.pageCentre - 13 * w' $rep
m rep-title-y src/core/report/report_layout.cpp '-(titlePitch / 2), ReportFont::Title' '-(titlePitch / 3), ReportFont::Title' $rep
m rep-warning-x src/core/report/report_layout.cpp 'body(31 * w, y, l.beep' 'body(30 * w, y, l.beep' $rep
m rep-side src/core/report/report_layout.cpp 'kSideTwips = 900' 'kSideTwips = 800' $rep
m rep-ascent src/render/report_renderer.cpp 'QPointF(x, top + ascent)' 'QPointF(x, top)' $rep
# The document's undo.
m doc-text-step src/document/document.cpp '    if (after == m_state)
        return;
    m_undo->push' '    if (after.image == m_state.image && after.selections == m_state.selections)
        return;
    m_undo->push' $doc
m doc-restore-bytes src/document/document.cpp '    m_state = state;
    emit changed();' '    m_state.image = state.image;
    emit changed();' $doc
m doc-marked-kept src/document/document.cpp '        m_marked = false;
        emitModified();
    });' '        emitModified();
    });' $doc
m doc-read-unmarked src/document/document.cpp '        m_marked = true;
        emitModified();' '        emitModified();' $doc
# orvo-cli.
m cli-staged-read cli/link_verbs.cpp 'if (result.outcome != CloneOutcome::Completed || result.direction != CloneDirection::Read)
        return kExitFailed;' '' "$link $cli"
m cli-channel-range src/core/formats/channel_import.cpp 'n <= kChannelCount ? n : -1' 'n <= kChannelCount + 1 ? n : -1' "$img $cli"
m cli-duplicate-channel src/core/formats/channel_import.cpp 'line.ticked && givenOn[static_cast<std::size_t>(ch)] != 0' 'false' "$img $cli"
m cli-decimal-comma src/core/formats/channel_csv.cpp 'if (!isPlainDecimal(typed)) {' 'if (false) {' "$img $cli"
m cli-line-limit src/core/formats/channel_csv.cpp 'end - start > kMaxLineBytes' 'end - start > 2 * kMaxLineBytes' "$img $cli"
m cli-bom src/core/formats/csv.cpp 'if (text.starts_with("\xEF\xBB\xBF"))' 'if (false)' "$img $cli"
m csv-offset-after-refusal src/core/formats/common_csv_read.cpp '    if (rx.empty())
        return {}; // the receive frequency was refused
' '' $img
m cli-read-exit cli/link_verbs.cpp '        std::fprintf(stderr, "%s\n", saved.errorText().c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int runWrite' '        std::fprintf(stderr, "%s\n", saved.errorText().c_str());
        return kExitOk;
    }
    return kExitOk;
}

int runWrite' "$cli"
m cli-log-lost-exit cli/link_verbs.cpp '&& !logLost ? kExitOk' '? kExitOk' "$cli"
# Names and cells quoted escaped.
m esc-3-byte src/core/image/escaped_text.cpp 'length = 3;' 'length = 0;' "$cli"
m esc-surrogate src/core/image/escaped_text.cpp ' || (code >= 0xD800 && code <= 0xDFFF)' '' "$cli"
m esc-above-max src/core/image/escaped_text.cpp 'code > 0x10FFFF || ' '' "$cli"
# The window (few: the window's code is reshaped more often).
m dm-shared-value src/widgets/debug_mode_dialog.cpp 'int& DebugModeDialog::itemValue(orvo::TestItem item)
{
    return m_itemValues[itemIndex(item)];' 'int& DebugModeDialog::itemValue(orvo::TestItem item)
{
    return m_itemValues[0];' debug_mode_test
m dm-tx-power-value src/widgets/debug_mode_dialog.cpp '    return static_cast<std::size_t>(item) - static_cast<std::size_t>(orvo::TestItem::TxFrequency);' '    return item == orvo::TestItem::TxPower ? 0 : static_cast<std::size_t>(item) - static_cast<std::size_t>(orvo::TestItem::TxFrequency);' debug_mode_test
m gui-delete-channel src/app/edit_controller.cpp '    emptyChannels(false);' '' editing_test
m gui-one-channel src/widgets/import_dialog.cpp ': changed == 1 ?' ': changed == 2 ?' document_files_test
# Lists from bigger radios: placement, skipping, headers as people write them, the preview.
m imp-in-order src/core/formats/channel_import.cpp 'line.channel = next++;' 'line.channel = next;' "$img $cli"
m imp-unfit-placed src/core/formats/channel_import.cpp 'if (line.refusals.empty() && line.ticked) {' 'if (line.ticked) {' "$img $cli"
m imp-finer-10hz src/core/image/number_text.cpp 'past.find_first_of("123456789")' 'past.find_first_of("")' $img
m imp-header-case src/core/formats/common_csv_read.cpp 'return sameWord(trimmedField(name), c);' 'return trimmedField(name) == c;' $img
m imp-utf16 src/core/formats/csv.cpp 'const bool little = bytes.starts_with("\xFF\xFE");' 'const bool little = false;' $img
m imp-separator src/core/formats/csv.cpp "return count(';') > count(',') ? ';' : ',';" "return ',';" $img
m imp-cr-lines src/core/formats/csv.cpp "                       text[i] != '\r')
                    field += text[i++];" "                       true)
                    field += text[i++];" $img
m imp-skip-exit cli/file_verbs.cpp 'if (skipUnfit && changed == 0) {' 'if (false) {' $cli
m imp-field-warns cli/file_verbs.cpp 'outOfBandChannels(*image))' 'std::vector<Message>{})' $cli
m imp-opens-in-order src/widgets/import_dialog.cpp 'const bool byLocation = m_plan.locationsFit;' 'const bool byLocation = true;' document_files_test
m imp-paste-header src/core/editing/channel_rows.cpp '        if (isHeaderLine(fields, columnNames))
            continue;' '' document_tests
m gui-drop-while-busy src/app/file_controller.cpp 'void FileController::openDropped(const QString& path)
{
    if (m_busy)
        return;' 'void FileController::openDropped(const QString& path)
{' transfer_test
m gui-status-texts src/app/transfer_controller.cpp '        m_dialog->setStatusText(translatedText(status));' '        (void)0;' transfer_test
m gui-cancelled-write src/app/transfer_controller.cpp 'messageBox(m_parent, translatedText(orvo::MessageKind::PartialWrite));' '(void)0;' transfer_test
m batch-not-opened src/widgets/batch_write_dialog.cpp '++results[entry.result == RadioResult::NotOpened ? RadioResult::Failed : entry.result];' '++results[entry.result];' transfer_test
m batch-cancelled src/widgets/batch_write_dialog.cpp 'if (results[RadioResult::Cancelled] > 0)' 'if (false)' transfer_test
m batch-log-lost src/widgets/batch_write_dialog.cpp '    m_logPath.clear();
    messageBox(' '    m_logPath.clear();
    if (false)
        messageBox(' transfer_test
m verify-zero-fields src/widgets/verify_dialog.cpp 'else if (fields == 0)' 'else if (false)' verify_dialog_test
m verify-one-field src/widgets/verify_dialog.cpp 'else if (fields == 1)' 'else if (false)' verify_dialog_test
m verify-message-lines src/core/link/verify.cpp 'if (lines.size() > shown) {' 'if (false) {' verify_dialog_test
m tm-caption src/app/testmode_controller.cpp '{tr("Orvo"), QMessageBox::Warning,' '{QString(), QMessageBox::Warning,' debug_mode_test
m tm-icon src/app/testmode_controller.cpp 'finished ? QMessageBox::Information : QMessageBox::Warning' 'QMessageBox::Warning' debug_mode_test
m lang-chosen-zh src/document/language.cpp 'if (key == QLatin1String("zh_CN"))
        return Language::Chinese;' '' ctest:language:language_test
m lang-zh src/document/language.cpp 'name == QLatin1String("zh") || ' '' ctest:language:language_test
m lang-zh-hans src/document/language.cpp ' || name.startsWith(QLatin1String("zh_Hans"))' '' ctest:language:language_test
m gui-modified-flag src/app/file_controller.cpp '    m_document.setModified(false);
    return true;
}

bool FileController::canReplaceDocument()' '    return true;
}

bool FileController::canReplaceDocument()' document_files_test

# ---- machinery ----
selected=("$@")
wanted() {
  [ ${#selected[@]} -eq 0 ] && return 0
  local s
  for s in "${selected[@]}"; do [ "$s" = "$1" ] && return 0; done
  return 1
}

backup=$(mktemp -d)
current=
restore() {
  if [ -n "$current" ]; then
    cp -p "$backup/file" "$root/$current" && touch "$root/$current"
    current=
  fi
}
trap 'restore; rm -rf "$backup"' EXIT
trap 'restore; echo "interrupted; source restored" >&2; exit 130' INT TERM

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null || exit 2
fi

# Applies mutant $1 to its file: 0 done, 1 pattern missing, 2 pattern not unique.
apply() {
  python3 - "$root/${files[$1]}" "${olds[$1]}" "${news[$1]}" <<'EOF'
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
n = text.count(old)
if n != 1:
    sys.exit(1 if n == 0 else 2)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

# Builds the programs and runs them; 0 when all pass, 1 when one fails, 2 when the build fails.
run_tests() {
  local log=$1; shift
  local t targets=()
  for t in "$@"; do targets+=("${t##*:}"); done
  cmake --build "$build" -j2 --target "${targets[@]}" >"$log" 2>&1 || return 2
  for t in "$@"; do
    if [[ $t == ctest:* ]]; then
      t=${t#ctest:}
      ctest --test-dir "$build" -L "${t%%:*}" -j2 --timeout 300 --stop-on-failure >>"$log" 2>&1 ||
        { echo "failed: $t" >>"$log"; return 1; }
    else
      timeout 900 "$build/bin/$t" >>"$log" 2>&1 || { echo "failed: $t" >>"$log"; return 1; }
    fi
  done
  return 0
}

logs=$build/mutants
mkdir -p "$logs"
all_tests=()
for i in "${!ids[@]}"; do
  wanted "${ids[$i]}" || continue
  for t in ${tests[$i]}; do
    [[ " ${all_tests[*]} " == *" $t "* ]] || all_tests+=("$t")
  done
done
echo "unmutated: ${all_tests[*]}"
if ! run_tests "$logs/unmutated.log" "${all_tests[@]}"; then
  echo "the unmutated tests do not pass; see $logs/unmutated.log" >&2
  exit 2
fi

killed=0 survived=0 skipped=0
printf '%-24s %-36s %s\n' MUTANT FILE RESULT
for i in "${!ids[@]}"; do
  id=${ids[$i]}
  wanted "$id" || continue
  file=${files[$i]}
  if [ ! -f "$root/$file" ]; then
    printf '%-24s %-36s %s\n' "$id" "$file" "not applied (no such file)"
    skipped=$((skipped + 1))
    continue
  fi
  cp -p "$root/$file" "$backup/file"
  current=$file
  apply "$i"
  case $? in
    0) ;;
    1) result="not applied (pattern missing)" ;;
    *) result="not applied (pattern not unique)" ;;
  esac
  if [ "$current" = "$file" ] && cmp -s "$root/$file" "$backup/file"; then
    current=
    skipped=$((skipped + 1))
  else
    # shellcheck disable=SC2086
    run_tests "$logs/$id.log" ${tests[$i]}
    case $? in
      0) result=SURVIVED; survived=$((survived + 1)) ;;
      1) result=killed; killed=$((killed + 1)) ;;
      *) result="not applied (does not build)"; skipped=$((skipped + 1)) ;;
    esac
    restore
  fi
  printf '%-24s %-36s %s\n' "$id" "$file" "$result"
done
# Leave the build matching the restored source.
cmake --build "$build" -j2 --target "${all_tests[@]##*:}" >/dev/null 2>&1
echo "$killed killed, $survived survived, $skipped not applied"
[ "$survived" -eq 0 ]
