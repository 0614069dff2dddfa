// Long button captions wrap on a phone: with every caption of the
// configuration some forty letters long, no frame of any page kind is wider
// than a 360-pixel screen and every button lies within its frame.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { exportMatching, exportQuiz, screenshot, startBrowser, watchConsole } from './helpers.mjs';
import { exportCrossword } from './crossword-helpers.mjs';

const long = 'Überprüfe jetzt bitte deine Antwort genau';
const captions = {
  editCheck: long,
  editHint: `Hinweis: ${long}`,
  editShow: `Lösung: ${long}`,
  editHelp: `Hilfe: ${long}`,
  editBack: `Zurück: ${long}`,
  editNextEx: `Weiter: ${long}`,
  editContents: `Inhalt: ${long}`,
  editOKCaption: `OK: ${long}`,
  editStartReading: `Lesen: ${long}`,
  editShowReadingAgain: `Wieder: ${long}`,
  // One word longer than the screen is wide.
  editCluesAcross: 'Waagerechtüberprüfungsbegriffsbezeichnungen',
};
const shown = { chkIncludeNextEx: 1, chkIncludeContents: 1, chkIncludeBack: 1, chkIncludeHint: 1, chkIncludeHelp: 1 };

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

// Frames wider than the screen, and buttons that reach out of their frame
// (a dialog is opened first by its page).
async function tooWide(page) {
  const wide = [];
  for (const frame of page.frames()) {
    // Measured once the page's slides (a given card moving to its place) end.
    await frame.waitForFunction(() => document.getAnimations().every((a) => a.playState !== 'running'));
    const found = await frame.evaluate(() => {
      const out = [];
      const width = document.documentElement.clientWidth;
      if (document.documentElement.scrollWidth > width) out.push(`scrolls to ${document.documentElement.scrollWidth} > ${width}`);
      for (const b of document.querySelectorAll('button, input[type=button], input[type=submit]')) {
        const r = b.getBoundingClientRect();
        if (r.width === 0) continue;
        if (r.left < -0.5 || r.right > width + 0.5 || b.scrollWidth > b.clientWidth + 1) {
          out.push(`"${(b.value || b.textContent).trim()}" ${Math.round(r.left)}..${Math.round(r.right)} of ${width}`);
        }
      }
      return out;
    });
    wide.push(...found.map((s) => `${frame.name() || 'page'}: ${s}`));
  }
  return wide;
}

const kinds = {
  'quiz, frames': () => exportQuiz({ texts: captions, switches: shown }),
  'quiz, frames with a timed reading': () => exportQuiz({ reading: 'typed', timer: 1, texts: captions, switches: shown }),
  'quiz, single page': () => exportQuiz({ mode: 'single', reading: 'typed', timer: 1, texts: captions, switches: shown }),
  'crossword, frames': () => exportCrossword({ texts: captions, switches: shown }),
  'crossword, single page': () => exportCrossword({ mode: 'single', texts: captions, switches: shown }),
  'matching, select list': () => exportMatching({ mode: 'select', texts: captions, switches: shown }),
  'matching, drag and drop': () => exportMatching({ mode: 'dragdrop', texts: captions, switches: shown }),
};
describe('long captions on a phone', () => {
  for (const [kind, exported] of Object.entries(kinds)) {
    test(`${kind}: every caption wraps within 360 pixels`, async () => {
      const page = await browser.newPage();
      await page.setViewportSize({ width: 360, height: 740 });
      const problems = watchConsole(page);
      await page.goto(exported().url);
      await page.waitForTimeout(500);
      const wide = await tooWide(page);
      if (kind === 'quiz, frames') await screenshot(page, 'captions-quiz-frames-360.png');
      if (kind === 'quiz, single page') await screenshot(page, 'captions-quiz-single-360.png');
      // The page's dialog, where it has one, after a check.
      const main = page.frames().find((f) => f.name() === 'CodeFrame') || page.mainFrame();
      const check = main.locator('#CheckButton, .actions input[type=button]').first();
      if (/single/.test(kind) && await check.isVisible()) {
        await check.click();
        await main.locator('dialog[open]').waitFor();
        wide.push(...(await tooWide(page)).map((s) => `after Check: ${s}`));
        if (kind === 'quiz, single page') await screenshot(page, 'captions-quiz-single-dialog-360.png');
      }
      assert.deepEqual(wide, []);
      assert.deepEqual(problems, []);
      await page.close();
    });
  }
});
